#include "app/Form1.h"

#include <algorithm>

#include "app/frmAbout.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/MessageBox.h"
#include "platform/UserControl.h"

namespace velmora {

using platform::CheckBox;
using platform::Label;

namespace {
constexpr wchar_t kBlankPage[] = L"blank.html";
constexpr wchar_t kEmptyPicture[] = L"ChangeR.gif";

std::string BoxName(int box) { return "Check" + std::to_string(box); }
}  // namespace

// Each box changes the advert its caption names; the value of row 10 is deleted under a
// spelling that differs in one letter's case, which the registry treats as the same name.
const std::array<AdSetting, 18> kAdSettings = {{
    {1, L"banner url", L"banner url", kBlankPage},
    {1, L"Chat Adurl", L"Chat Adurl", kBlankPage},
    {2, L"Change Room Banner", L"Change Room Banner", kEmptyPicture},
    {3, L"Webcam Upload Ad", L"Webcam Upload Ad", kBlankPage},
    {3, L"Webcam Viewer Ad", L"Webcam Viewer Ad", kBlankPage},
    {4, L"Webcam Viewer Ad Big", L"Webcam Viewer Ad Big", kBlankPage},
    {5, L"Webcam Viewer Ad Medium", L"Webcam Viewer Ad Medium", kBlankPage},
    {6, L"Auction Alert Ad URL", L"Auction Alert Ad URL", kBlankPage},
    {7, L"Calendar Alert Ad URL", L"Calendar Alert Ad URL", kBlankPage},
    {8, L"News Alert Ad URL", L"News Alert Ad URL", kBlankPage},
    {9, L"Personals Alert Ad URL", L"Personals Alert Ad URL", kBlankPage},
    {10, L"Stock Alert Ad URL", L"Stock ALert Ad URL", kBlankPage},
    {11, L"N2Phone Adurl", L"N2Phone Adurl", kBlankPage},
    {12, L"Messenger Ad", L"Messenger Ad", kBlankPage},
    {13, L"Conf Adurl", L"Conf Adurl", kBlankPage},
    {14, L"Address Book", L"Address Book", kBlankPage},
    {15, L"Chat Transition Ad", L"Chat Transition Ad", kBlankPage},
    {16, L"Mail Alert Ad URL", L"Mail Alert Ad URL", kBlankPage},
}};

std::wstring ProgramFilePath(std::wstring_view folder, std::wstring_view file) {
  std::wstring path(folder);
  if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
  return path + std::wstring(file);
}

RemovalOutcome RunRemovalPass(const std::array<bool, kAdBoxCount>& ticked,
                              std::wstring_view programFolder, AdKeyStore& adKey) {
  RemovalOutcome outcome;
  if (std::none_of(ticked.begin(), ticked.end(), [](bool t) { return t; })) return outcome;
  outcome.openError = adKey.Open();
  switch (outcome.openError) {
    case ERROR_SUCCESS: break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: outcome.status = RemovalOutcome::Status::KeyMissing; return outcome;
    case ERROR_ACCESS_DENIED: outcome.status = RemovalOutcome::Status::AccessDenied; return outcome;
    default: outcome.status = RemovalOutcome::Status::OpenFailed; return outcome;
  }
  for (const AdSetting& s : kAdSettings) {
    if (ticked[static_cast<size_t>(s.box - 1)]) {
      if (adKey.SetString(s.name, ProgramFilePath(programFolder, s.file)) != ERROR_SUCCESS)
        outcome.failed.emplace_back(s.name);
    } else {
      // A value that is already absent is what the pass wants.
      const LONG result = adKey.DeleteValue(s.deleteAs);
      if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) outcome.failed.emplace_back(s.name);
    }
  }
  adKey.Close();
  outcome.status = RemovalOutcome::Status::Done;
  return outcome;
}

namespace {
std::wstring CouldNotBeChanged(size_t n) {
  return L"Done, but " + std::to_wstring(n) +
         (n == 1 ? L" setting could not be changed" : L" settings could not be changed");
}
}  // namespace

// Each text fits the status label on one line; the tests measure them at every DPI.
std::wstring StatusText(const RemovalOutcome& outcome) {
  switch (outcome.status) {
    case RemovalOutcome::Status::NothingSelected: return kNothingSelectedText;
    case RemovalOutcome::Status::KeyMissing: return L"No Messenger settings for this user: nothing changed.";
    case RemovalOutcome::Status::AccessDenied: return L"Access denied to Messenger settings: nothing changed.";
    case RemovalOutcome::Status::OpenFailed:
      return L"Error " + std::to_wstring(outcome.openError) + L" opening Messenger settings: nothing changed.";
    case RemovalOutcome::Status::Done: break;
  }
  if (outcome.failed.empty()) return kDoneText;
  std::wstring text = CouldNotBeChanged(outcome.failed.size()) + L": ";
  for (size_t i = 0; i < outcome.failed.size(); ++i) text += (i ? L", " : L"") + outcome.failed[i];
  return text + L".";
}

std::wstring BriefStatusText(const RemovalOutcome& outcome) {
  switch (outcome.status) {
    case RemovalOutcome::Status::OpenFailed: return L"Messenger settings could not be opened: nothing changed.";
    case RemovalOutcome::Status::Done:
      if (!outcome.failed.empty()) return CouldNotBeChanged(outcome.failed.size()) + L".";
      break;
    default: break;
  }
  return StatusText(outcome);
}

std::wstring StatusDetails(const RemovalOutcome& outcome) {
  if (outcome.status != RemovalOutcome::Status::Done || outcome.failed.empty()) return StatusText(outcome);
  std::wstring text = CouldNotBeChanged(outcome.failed.size()) + L":\n";
  for (const std::wstring& name : outcome.failed) text += L"\n" + name;
  return text;
}

Form1::Form1(AdKeyStore& adKey, std::wstring programFolder)
    : Form(L"Form1"), adKey_(adKey), programFolder_(std::move(programFolder)) {
  Ornabutton::Register();
}

void Form1::OnLoad() {
  const std::array<void (Form1::*)(), 4> handlers = {&Form1::SelectAll, &Form1::SelectNone,
                                                     &Form1::RemoveSelectedAds, &Form1::ShowAbout};
  for (size_t i = 0; i < handlers.size(); ++i) {
    clicks_[i].form = this;
    clicks_[i].handler = handlers[i];
    Get<platform::UserControlSite>("Ornabutton" + std::to_string(i + 1))
        .Client<Ornabutton>()
        .SetEvents(&clicks_[i]);
  }
}

void Form1::SetAllBoxes(int value) {
  for (int box = 1; box <= kAdBoxCount; ++box) Get<CheckBox>(BoxName(box)).SetValue(value);
}

void Form1::SelectAll() { SetAllBoxes(1); }

void Form1::SelectNone() { SetAllBoxes(0); }

void Form1::RemoveSelectedAds() {
  std::array<bool, kAdBoxCount> ticked{};
  for (int box = 1; box <= kAdBoxCount; ++box)
    ticked[static_cast<size_t>(box - 1)] = Get<CheckBox>(BoxName(box)).Value() == 1;
  auto& status = Get<Label>("labelR");
  if (std::none_of(ticked.begin(), ticked.end(), [](bool t) { return t; })) {
    status.SetCaption(kNothingSelectedText);
    return;
  }
  status.SetCaption(kRemovingText);
  const RemovalOutcome outcome = RunRemovalPass(ticked, programFolder_, adKey_);
  const std::wstring text = StatusText(outcome);
  if (status.ShowsWhole(text)) {
    status.SetCaption(text);
    return;
  }
  // The label has room for one line: it says what happened, and a message gives every name.
  status.SetCaption(BriefStatusText(outcome));
  platform::ShowMessage({hwnd(), StatusDetails(outcome), platform::App().Title(), MB_OK | MB_ICONINFORMATION});
}

void Form1::ShowAbout() {
  frmAbout about(*this);
  about.ShowModal();
}

}  // namespace velmora
