// The leak soak: 100 000 redraws in every look, shape, state and picture, 10 000 resizes,
// 10 000 property changes and 1 000 buttons made and destroyed (option buttons among them),
// with the GDI headroom counted before and after each part. A warm-up round first lets the
// system fill its own caches (fonts, region machinery), which is no leak of ours.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "bench/BenchSupport.h"
#include "control/Ornabutton.h"
#include "tests/support/Soak.h"

namespace {

using namespace velmora;

int Run(int scale) {
  Ornabutton::Register();
  test::RunSoak({2000, 200, 400, 50});
  const int start = test::GdiHeadroom();
  int before = start;
  const test::SoakSize full{100000 / scale, 10000 / scale, 10000 / scale, 1000 / scale};
  const test::SoakSize parts[] = {{full.redraws, 0, 0, 0},
                                  {0, full.resizes, 0, 0},
                                  {0, 0, full.propertyChanges, 0},
                                  {0, 0, 0, full.buttons}};
  const char* names[] = {"redraws", "resizes", "property changes", "buttons made and destroyed"};
  for (int i = 0; i < 4; ++i) {
    const int count = i == 0   ? full.redraws
                      : i == 1 ? full.resizes
                      : i == 2 ? full.propertyChanges
                               : full.buttons;
    const double ms = bench::Microseconds([&] { test::RunSoak(parts[i]); }) / 1000;
    const int after = test::GdiHeadroom();
    std::printf("%6d %-28s %8.0f ms, headroom %d -> %d\n", count, names[i], ms, before, after);
    before = after;
  }
  bench::Figure("soak_gdi_headroom_lost", start - before, "handles", 0);
  return 0;
}

}  // namespace

// An argument divides every count, for a quicker look.
int main(int argc, char** argv) {
  const int scale = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  return bench::Main([&] { return Run(scale); });
}
