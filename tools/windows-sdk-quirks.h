// Forced into every source by tools/check-native: what the Windows SDK's headers define and
// MinGW-w64's do not (or only while compiling resources), so that a name that clashes with
// them fails here as it would under Visual Studio.
#pragma once
// rpcndr.h, reached through objidl.h and most COM headers.
#define small char
#define hyper __int64
// objbase.h.
#ifndef interface
#define interface struct
#endif
// minwindef.h, unless NOMINMAX.
#ifndef NOMINMAX
#ifndef max
#define max(a, b) (((a) > (b)) ? (a) : (b))
#endif
#ifndef min
#define min(a, b) (((a) < (b)) ? (a) : (b))
#endif
#endif
