#include "platform/Regions.h"

#include <algorithm>
#include <vector>

namespace velmora::platform {

UniqueRegion RegionFromRects(const RECT* rects, size_t count) {
  constexpr size_t kSlice = 16;
  if (count > kSlice) {
    const size_t half = count / 2;
    UniqueRegion first = RegionFromRects(rects, half);
    const UniqueRegion second = RegionFromRects(rects + half, count - half);
    CombineRgn(first.get(), first.get(), second.get(), RGN_OR);
    return first;
  }
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(count);
  header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  RECT bounds{};
  for (size_t i = 0; i < count; ++i) UnionRect(&bounds, &bounds, &rects[i]);
  header->rcBound = bounds;
  std::copy(rects, rects + count, reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
  return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                      reinterpret_cast<RGNDATA*>(data.data())));
}

HRGN RegionRebuilt(HRGN region) {
  const UniqueRegion original(region);
  const DWORD size = region ? GetRegionData(region, 0, nullptr) : 0;
  if (size < sizeof(RGNDATAHEADER)) return nullptr;
  std::vector<BYTE> data(size);
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  if (!GetRegionData(region, size, rgn)) return nullptr;
  UniqueRegion copy = RegionFromRects(reinterpret_cast<const RECT*>(rgn->Buffer), rgn->rdh.nCount);
  // An empty region has no rectangles to build from.
  if (rgn->rdh.nCount == 0) copy.reset(CreateRectRgn(0, 0, 0, 0));
  return copy.release();
}

}  // namespace velmora::platform
