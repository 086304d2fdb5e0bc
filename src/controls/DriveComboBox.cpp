// TDriveComboBox: filling the list from the drive queries, the selected drive and
// its notifications, item height and drawing.
#include "controls/DriveComboBox.h"

#include <algorithm>
#include <optional>

#include "controls/StartFolder.h"
#include "platform/PathText.h"

namespace tarnsel::controls {

namespace {

// GetDriveType's kinds that get an entry.
constexpr std::uint32_t DriveRemovable = 2;
constexpr std::uint32_t DriveFixed = 3;
constexpr std::uint32_t DriveRemote = 4;
constexpr std::uint32_t DriveCDROM = 5;
constexpr std::uint32_t DriveRAMDisk = 6;

constexpr std::uint32_t SEM_FailCriticalErrors = 1;
constexpr int LetterCount = 26;

// Only the ASCII letters change case: any other byte written to `Drive` stays as
// it is, so it can never be taken for some other drive's letter.
char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameLetter(char a, char b) { return UpperLetter(a) == UpperLetter(b); }

std::string RootPath(char letter) { return {letter, ':', '\\'}; }

// Switches the process's error mode for the life of the object and puts the
// previous mode back, also when the guarded query fails or throws.
class ErrorModeScope {
 public:
  ErrorModeScope(platform::Drives& drives, std::uint32_t mode)
      : drives_(drives), previous_(drives.setErrorMode(mode)) {}
  ~ErrorModeScope() { drives_.setErrorMode(previous_); }
  ErrorModeScope(const ErrorModeScope&) = delete;
  ErrorModeScope& operator=(const ErrorModeScope&) = delete;

 private:
  platform::Drives& drives_;
  std::uint32_t previous_;
};

}  // namespace

TDriveComboBox::TDriveComboBox(platform::Platform platform, screen::ScreenServices& screen)
    : platform_(platform), screen_(screen) {
  // A current directory on a network path has no drive letter: the system's drive
  // stands in, the same one the folder picker's tree opens at.
  const std::string start = StartFolder(platform.files);
  if (!start.empty() && start[0] != '\\') drive_ = start[0];
  FitItemHeight();
}

void TDriveComboBox::windowCreated() {
  hasWindow_ = true;
  FillDriveList();
  // The fill left nothing selected, so this always selects and notifies.
  SelectDrive(drive_);
}

void TDriveComboBox::setTextCase(TTextCase textCase) {
  textCase_ = textCase;
  const char remembered = drive_;
  FillDriveList();
  SelectDrive(remembered);
}

void TDriveComboBox::setItemHeight(int height) {
  if (height < 1) return;
  itemHeight_ = height;
  if (!hasWindow_) return;
  if (view_ != nullptr) {
    view_->recreateWindow();
  } else {
    // Without a view the model stands in for its window.
    windowDestroyed();
    windowCreated();
  }
}

void TDriveComboBox::userPicked(int index) {
  itemIndex_ = index >= 0 && index < count() ? index : -1;
  click();
  Change();
}

void TDriveComboBox::click() {
  if (OnClick) OnClick();
  if (itemIndex_ >= 0) SelectDrive(entries_[itemIndex_].text[0]);
}

void TDriveComboBox::Change() {
  if (OnChange) OnChange();
}

void TDriveComboBox::FillDriveList() {
  entries_.clear();
  itemIndex_ = -1;
  if (view_ != nullptr) view_->entriesCleared();
  const std::uint32_t present = platform_.drives.logicalDrives();
  for (int number = 0; number < LetterCount; ++number) {
    if ((present & (1u << number)) == 0) continue;
    char letter = static_cast<char>('a' + number);
    const std::uint32_t type = platform_.drives.driveType(RootPath(letter));
    if (textCase_ == TTextCase::tcUpperCase) letter = UpperLetter(letter);
    const std::string name{letter, ':'};
    switch (type) {
      case DriveRemovable:
        // The medium is not touched: a floppy drive would spin up or complain.
        addEntry({name, screen::Picture::Floppy});
        break;
      case DriveFixed:
        addEntry({name + " " + VolumeLabelText(letter), screen::Picture::Hard});
        break;
      case DriveRemote:
        addEntry({name + " " + NetworkNameText(letter), screen::Picture::Network});
        break;
      case DriveCDROM:
        addEntry({name + " " + VolumeLabelText(letter), screen::Picture::CDROM});
        break;
      case DriveRAMDisk:
        addEntry({name + " " + VolumeLabelText(letter), screen::Picture::RAM});
        break;
      default:
        break;  // unknown, or no root folder: not listed
    }
  }
}

void TDriveComboBox::SelectDrive(char letter) {
  if (itemIndex_ >= 0 && SameLetter(letter, drive_)) return;
  if (letter == 0) {
    drive_ = 0;
    select(-1);
  } else {
    drive_ = textCase_ == TTextCase::tcUpperCase ? UpperLetter(letter) : LowerLetter(letter);
    // A letter without an entry keeps the selection as it was.
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const DriveEntry& e) {
      return e.text.size() >= 2 && SameLetter(e.text[0], drive_) && e.text[1] == ':';
    });
    if (found != entries_.end()) select(static_cast<int>(found - entries_.begin()));
  }
  Change();
}

std::string TDriveComboBox::VolumeLabelText(char letter) {
  // No system dialog may ask for a medium while an empty drive is queried.
  const ErrorModeScope failCriticalErrors(platform_.drives, SEM_FailCriticalErrors);
  const std::optional<std::string> label = platform_.drives.volumeLabel(RootPath(letter));
  return "[" + foldLikeLetter(letter, label.value_or("")) + "]";
}

std::string TDriveComboBox::NetworkNameText(char letter) {
  const std::optional<std::string> remote =
      platform_.drives.networkConnection({UpperLetter(letter), ':'});
  if (!remote) return VolumeLabelText(letter);
  return foldLikeLetter(letter, *remote);
}

void TDriveComboBox::FitItemHeight() {
  setItemHeight(std::max(screen_.fontLineHeight(), screen::SizeOf(screen::Picture::Floppy).height));
}

void TDriveComboBox::DrawItem(screen::Canvas& canvas, int index, const screen::Rect& rect) const {
  canvas.fillRect(rect);
  // The selection field asks for index -1 when nothing is selected: nothing to write.
  if (index < 0 || index >= count()) return;
  const DriveEntry& drawn = entries_[index];
  const screen::PictureSize size = screen::SizeOf(drawn.picture);
  canvas.drawPicture(drawn.picture, rect.left + 2, (rect.top + rect.bottom - size.height) / 2);
  canvas.drawTextLine({rect.left + size.width + 6, rect.top, rect.right, rect.bottom}, drawn.text);
}

void TDriveComboBox::addEntry(DriveEntry added) {
  entries_.push_back(std::move(added));
  if (view_ != nullptr) view_->entryAdded(count() - 1);
}

void TDriveComboBox::select(int index) {
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (view_ != nullptr) view_->selectionChanged(index);
}

std::string TDriveComboBox::foldLikeLetter(char letter, const std::string& text) const {
  if (letter < 'a') return platform::UpperCaseFileName(platform_.codePage, text);
  return platform::LowerCaseFileName(platform_.codePage, text);
}

}  // namespace tarnsel::controls
