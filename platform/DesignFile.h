#pragma once
// Form designs: the stored description of a form and its controls, read from a JSON design
// file. Positions and sizes are in twips; colours are OLE colours (0x00BBGGRR, or 0x800000nn
// for system colour nn). No Windows header, so the parser also builds and is fuzzed natively.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "platform/Font.h"
#include "platform/PropertyBag.h"

namespace velmora::platform {

enum class ControlKind { Frame, CheckBox, Label, PictureBox, CommandButton, Line, UserControl };

// The design-file spelling of a kind ("frame", "checkbox", ...).
std::string_view KindName(ControlKind kind);

enum class TextAlign { Left, Right, Center };
enum class LineStyle { Solid, InsideSolid };

struct ControlDesign {
  ControlKind kind = ControlKind::Label;
  std::string name;
  std::string container;  // the form's name or a frame or picture box
  std::string caption;
  int32_t left = 0, top = 0, width = 0, height = 0;
  int32_t tabIndex = -1;  // -1 for lines, which have none
  bool visible = true;
  bool enabled = true;
  bool tabStop = true;
  std::optional<uint32_t> backColor;
  std::optional<uint32_t> foreColor;
  std::optional<FontDesign> font;
  int32_t value = 0;             // check box: 0 clear, 1 ticked, 2 grey
  bool isDefault = false;        // command button answering Enter
  bool isCancel = false;         // command button answering Esc
  TextAlign alignment = TextAlign::Left;  // label
  int32_t borderStyle = 0;       // label, picture box: 0 none, 1 fixed single
  bool useMnemonic = true;       // label: "&" marks an access key
  std::string picture;           // picture box: name of an icon resource
  bool autoSize = false;         // picture box: sized to its picture
  // Lines: end points in the container's twips, width in pixels at 96 DPI.
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t borderWidth = 1;
  uint32_t borderColor = 0x80000008;
  LineStyle lineStyle = LineStyle::Solid;
  // User controls: the registered class ("Tessorin.Ornabutton") and the stored properties.
  std::string className;
  PropertyBag properties;
  bool operator==(const ControlDesign&) const = default;
};

enum class FormBorder { None, FixedSingle, Sizable, FixedDialog };
enum class StartUpPosition { Manual, CenterOwner, CenterScreen, WindowsDefault };

struct FormDesign {
  std::string file;  // where the design came from, for messages
  std::string name;
  std::string caption;
  int32_t left = 0, top = 0;  // used with StartUpPosition::Manual
  int32_t clientWidth = 0, clientHeight = 0;
  FormBorder borderStyle = FormBorder::Sizable;
  bool controlBox = true;
  bool minButton = true;
  bool maxButton = true;
  bool showInTaskbar = true;
  StartUpPosition startUpPosition = StartUpPosition::WindowsDefault;
  std::string icon;  // name of an icon resource
  uint32_t backColor = 0x8000000F;
  uint32_t foreColor = 0x80000012;
  FontDesign font;
  std::vector<ControlDesign> controls;  // in file order
  bool operator==(const FormDesign&) const = default;

  const ControlDesign* Find(std::string_view controlName) const;
};

// A design that cannot be used. file, control and key say where; control is empty for the
// form's own keys and key is empty when the fault is not one key's.
class DesignError : public std::runtime_error {
 public:
  DesignError(std::string file, std::string control, std::string key, std::string problem);
  const std::string& file() const { return file_; }
  const std::string& control() const { return control_; }
  const std::string& key() const { return key_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string file_, control_, key_, problem_;
};

// Parses and checks a design: types, ranges, unknown keys, unique names and tab indexes,
// containers that exist, can contain and do not nest in a cycle. Throws DesignError.
FormDesign ParseFormDesign(std::string_view text, std::string_view fileName);

// The design-file form of a design; ParseFormDesign reads it back to an equal design.
std::string WriteFormDesign(const FormDesign& design);

// A font object of a design file; throws DesignError naming file, control and key.
FontDesign FontFromJson(const nlohmann::ordered_json& value, const std::string& file,
                        const std::string& control, const std::string& key);
nlohmann::ordered_json FontToJson(const FontDesign& font);

// Names are compared without regard to letter case, as the forms runtime does everywhere.
bool SameName(std::string_view a, std::string_view b);

}  // namespace velmora::platform
