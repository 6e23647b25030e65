// Times the button's picture preparation (scaled copy, key colour, cut regions) against the
// straightforward one-pixel-at-a-time way on 256 x 256 pictures with a transparent ground.
// Both run in this process, alternately, and their medians are compared.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/ReferencePicture.h"
#include "control/Ornabutton.h"
#include "platform/DesignFile.h"
#include "platform/Forms.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace {

using namespace velmora;

constexpr int kSize = 256;
constexpr int kRepetitions = 15;

constexpr char kDesign[] = R"({
  "name": "Bench", "caption": "Bench", "clientWidth": 4500, "clientHeight": 4500,
  "borderStyle": "fixedDialog", "showInTaskbar": true, "startUpPosition": "centerScreen",
  "controls": []})";

template <typename Work>
double Milliseconds(Work&& work) {
  return bench::Microseconds(work) / 1000;
}

struct Timing {
  double ours = 0, reference = 0;
  bool same = true;
};

// Prepares the picture the button's way and the reference way, alternately, and checks that
// both made the same picture and regions.
Timing Measure(Ornabutton& button, const platform::Picture& picture, int w, int h) {
  button.SetPicture(picture);
  std::vector<double> ours, reference;
  Timing t;
  for (int i = 0; i <= kRepetitions; ++i) {  // the first round warms up and is not counted
    // As when the shape is rebuilt: the previous copy and regions are gone before it starts.
    OrnabuttonProbe::DropPictureCopies(button);
    platform::UniqueRegion target(CreateRectRgn(0, 0, kSize, kSize));
    const double a =
        Milliseconds([&] { OrnabuttonProbe::PreparePicture(button, w, h, target.get()); });
    bench::PreparedPicture ref;
    const double b = Milliseconds(
        [&] { ref = bench::ReferencePreparePicture(picture.Bitmap(), w, h, kSize, kSize); });
    t.same = t.same && EqualRgn(target.get(), ref.target.get()) &&
             EqualRgn(OrnabuttonProbe::ShapeRegion(button), ref.shape.get()) &&
             EqualRgn(OrnabuttonProbe::InnerRegion(button), ref.inner.get()) &&
             test::BitmapPixels(OrnabuttonProbe::ScaledPicture(button)) ==
                 test::BitmapPixels(ref.scaled.get());
    if (i == 0) continue;
    ours.push_back(a);
    reference.push_back(b);
  }
  t.ours = bench::Median(ours);
  t.reference = bench::Median(reference);
  return t;
}

void Report(const char* what, const Timing& t) {
  std::printf("%s, median of %d runs:\n", what, kRepetitions);
  std::printf("  one pixel at a time (GetPixel/SetPixel, CombineRgn per run): %8.3f ms\n",
              t.reference);
  std::printf("  in memory (DIB bits, ExtCreateRegion):                        %8.3f ms\n", t.ours);
  std::printf("  same picture and regions: %s; ratio %.1f x\n", t.same ? "yes" : "NO",
              t.reference / t.ours);
}

int Run() {
  Ornabutton::Register();
  platform::Form form{platform::ParseFormDesign(kDesign, "Bench.json")};
  form.Show();
  Ornabutton& button = form.PlaceUserControl(Ornabutton::kClassName, "Subject", "Bench", 0, 0,
                                             kSize * 15, kSize * 15)
                           .Client<Ornabutton>();
  const platform::Picture plain =
      platform::Picture::FromBitmap(test::MakeDiscPicture(kSize, kSize, false));
  const platform::Picture speckled =
      platform::Picture::FromBitmap(test::MakeDiscPicture(kSize, kSize, true));
  const Timing a = Measure(button, plain, kSize, kSize);
  const Timing b = Measure(button, speckled, kSize, kSize);
  // Another size makes the platform stretch the copy, which both ways pay for.
  const Timing c = Measure(button, plain, 200, 200);
  Report("prepare_picture 256 x 256: a disc on a transparent ground", a);
  Report("prepare_picture 256 x 256: the same, speckled (many short runs)", b);
  Report("prepare_picture of the disc stretched to 200 x 200", c);
  bench::Figure("prepare_picture_256_speedup", a.reference / a.ours, "x");
  form.Unload();
  return a.same && b.same && c.same ? 0 : 1;
}

}  // namespace

int main() {
  return bench::Main(Run);
}
