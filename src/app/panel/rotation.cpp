// Which entry comes next: the rotation timer, Next, Previous, Reload and Set
// Wallpaper, in order or shuffled.
#include "app/panel/main_form.h"
#include "common/random.h"
#include "common/random_win32.h"
#include "playlist/rotation_rules.h"
#include "lang/program_texts.h"

namespace wc {

namespace {
int32_t RandomRow(int rows) { return int32_t(ProgramRandom().Next(uint32_t(rows > 0 ? rows : 0))); }
}  // namespace

void TMainForm::RotationTimerTick(ui::Component& sender) {
  if (ShuffleCheck.Checked()) {
    RandomizeProgramRandom();
    CurrentIndex = RandomRow(MainListBox.Count());
  }
  // Under shuffle the drawn row moves on by one as well.
  const std::optional<int32_t> row = RowToShow(AdvanceIndex(CurrentIndex, MainListBox.Count()), +1);
  if (!row) return;
  CurrentIndex = *row;
  MainListBox.SetItemIndex(CurrentIndex);
  MainListBoxDblClick(sender);
}

void TMainForm::NextWallpaperItemClick(ui::Component&) { NextWallpaper(); }

void TMainForm::NextWallpaper() {
  ApplyRowOrShuffled(AdvanceIndex(CurrentIndex, MainListBox.Count()), +1);
  SavePanelSettings();
}

void TMainForm::PreviousWallpaperItemClick(ui::Component&) { PreviousWallpaper(); }

void TMainForm::PreviousWallpaper() { ApplyRowOrShuffled(PreviousIndex(CurrentIndex, MainListBox.Count()), -1); }

void TMainForm::ApplyRowOrShuffled(int32_t row, int step) {
  // Every row excluded: nothing to show, the wallpaper stays.
  const std::optional<int32_t> shown = RowToShow(ShuffleCheck.Checked() ? RandomRow(MainListBox.Count()) : row, step);
  if (!shown) return;
  CurrentIndex = *shown;
  MainListBox.SetItemIndex(CurrentIndex);
  MainListBoxDblClick(*this);
}

std::optional<int32_t> TMainForm::RowToShow(int32_t row, int step) const {
  const int32_t rows = MainListBox.Count();
  if (Excluded.Empty()) return rows > 0 ? std::optional<int32_t>(row) : std::nullopt;
  return FirstRowNotPassedOver(row, rows, step, [this](int32_t r) { return IsExcludedRow(r); });
}

void TMainForm::ReloadItemClick(ui::Component& sender) { MainListBoxDblClick(sender); }

void TMainForm::SetWallpaperButtonClick(ui::Component&) {
  if (MainListBox.ItemIndex() < 0) return;
  CurrentIndex = MainListBox.ItemIndex();
  ApplyRow(CurrentIndex, RowChoice::ByHand);
}

void TMainForm::UpdateTimerInterval() {
  int unit = IntervalUnitBox.ItemIndex();
  int64_t value = IntervalValueEdit.Value();
  auto ms = TimerIntervalMs(unit, value);
  // A Windows timer takes at most about 24.8 days; a longer or negative
  // interval must not wrap round into one that fires every few moments.
  if (ms) {
    IntervalNote.Hide();
  } else if (value < 0) {
    IntervalNote.SetCaption(Say(texts::kIntervalNegative));
    IntervalNote.Show();
  } else {
    IntervalNote.SetCaption(Say(texts::kIntervalTooLong, {std::to_string(MaxIntervalValue(unit)), IntervalUnitBox.Text()}));
    IntervalNote.Show();
  }
  RotationTimer.SetInterval(ms.value_or(0));
}

void TMainForm::UseTimerCheckClick(ui::Component&) { RestartRotationTimer(); }

void TMainForm::IntervalValueEditChange(ui::Component&) {
  if (RotationTimer.Enabled()) UpdateTimerInterval();
}

void TMainForm::IntervalUnitBoxChange(ui::Component&) {
  if (RotationTimer.Enabled()) UpdateTimerInterval();
}

}  // namespace wc
