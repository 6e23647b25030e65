#pragma once
// The main window: seventeen advertisement boxes, the status label and four buttons, and the
// removal pass that applies the selection to the messenger's registry key.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/ModReg.h"
#include "control/Ornabutton.h"
#include "platform/Forms.h"

namespace velmora {

inline constexpr int kAdBoxCount = 17;

// One registry value of the ad table. Rows with two values have two entries, in the order
// they are written or deleted.
struct AdSetting {
  int box;                  // 1..16: Check1 .. Check16 (Check17 has no value)
  const wchar_t* name;      // written under this name when the box is ticked
  const wchar_t* deleteAs;  // deleted under this name (the same but for one letter's case)
  const wchar_t* file;      // the data: program folder + this file
};
extern const std::array<AdSetting, 18> kAdSettings;

// Status texts of the pass.
inline constexpr wchar_t kNothingSelectedText[] =
    L" Please Select The any of the adds to kill, from the above..";
inline constexpr wchar_t kRemovingText[] = L"Removing Please wait..";
inline constexpr wchar_t kDoneText[] = L"Done.. All Yahoo adds Killed :)";

struct RemovalOutcome {
  enum class Status { NothingSelected, KeyMissing, AccessDenied, OpenFailed, Done };
  Status status = Status::NothingSelected;
  LONG openError = ERROR_SUCCESS;
  std::vector<std::wstring> failed;  // settings that could not be written or deleted
};

// Writes the value of every ticked box and deletes the value of every other one (Check17
// counts for "something is selected" but has no value). Every value is tried even when
// others fail.
RemovalOutcome RunRemovalPass(const std::array<bool, kAdBoxCount>& ticked,
                              std::wstring_view programFolder, AdKeyStore& adKey);
// What the status label says after a pass, naming every setting that could not be changed.
std::wstring StatusText(const RemovalOutcome& outcome);
// The same in one short line, counting the settings instead of naming them: the label's text
// when StatusText does not fit it.
std::wstring BriefStatusText(const RemovalOutcome& outcome);
// The message shown beside a brief status: the whole outcome, one setting a line.
std::wstring StatusDetails(const RemovalOutcome& outcome);
// folder + "\" + file, with one separator also when the folder is a drive root ("C:\").
std::wstring ProgramFilePath(std::wstring_view folder, std::wstring_view file);

class Form1 final : public platform::Form {
 public:
  // adKey is the messenger's key the pass changes; programFolder holds blank.html and
  // ChangeR.gif, whose paths are written into it.
  Form1(AdKeyStore& adKey, std::wstring programFolder);

  // The four buttons' handlers.
  void SelectAll();
  void SelectNone();
  void RemoveSelectedAds();
  void ShowAbout();

 private:
  void OnLoad() override;
  void SetAllBoxes(int value);

  // The window hears from its buttons only through their Click event.
  struct ClickHandler final : OrnabuttonEvents {
    void (Form1::*handler)() = nullptr;
    Form1* form = nullptr;
    void Click() override { (form->*handler)(); }
  };

  AdKeyStore& adKey_;
  std::wstring programFolder_;
  std::array<ClickHandler, 4> clicks_;
};

}  // namespace velmora
