#pragma once
// The list box: rows of text, one or many selected, filled in large batches.
#include <windows.h>

#include <array>
#include <functional>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class ListBox : public Control {
 public:
  ListBox(Component* owner, std::string name);
  void SetMultiSelect(bool on) { multiSelect_ = on; }
  // Rows the test says yes to are drawn greyed and struck through (the
  // list draws its rows itself from then on). Set before the window is
  // made; RedrawRows shows a change of what the test says.
  void SetDimmedRows(std::function<bool(int row)> dimmed) { dimmed_ = std::move(dimmed); }
  void RedrawRows();

  int Count() const;
  std::string Item(int i) const;
  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& text);
  // Many rows at the end at once, drawn once.
  void AddItems(const std::vector<std::string>& texts);
  void InsertItem(int i, const std::string& text);
  void DeleteItem(int i);
  void SetItem(int i, const std::string& text);
  void Exchange(int i, int j);
  void Clear();
  // Makes room for this many more rows, in steps that grow with the list.
  void Reserve(size_t more);
  // Stops redrawing while many rows change. The rows are shown again at the
  // last EndUpdate, or a little later when they were shown only just before:
  // a long fill in many small steps is then drawn a few times a second
  // rather than after every step.
  void BeginUpdate();
  void EndUpdate();
  // BeginUpdate for a scope: EndUpdate comes however the scope is left.
  // `on` false makes it do nothing.
  class UpdateGuard {
   public:
    explicit UpdateGuard(ListBox& list, bool on = true) : list_(on ? &list : nullptr) {
      if (list_) list_->BeginUpdate();
    }
    ~UpdateGuard() {
      if (list_) list_->EndUpdate();
    }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

   private:
    ListBox* list_;
  };

  int ItemIndex() const;
  void SetItemIndex(int i);
  bool Selected(int i) const;
  void SetSelected(int i, bool on);
  int SelCount() const;

  // OnClick runs when the user changes the selection, OnDblClick on a double click.

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void CheckIndex(int i) const;
  void Redraw();
  // Rows drawn by the list itself: as tall as the system's rows in its font.
  void FitRowHeight();
  void DrawRow(const DRAWITEMSTRUCT& item);
  std::function<bool(int row)> dimmed_;
  // Widens the horizontal scroll range to the widest of these rows, so a
  // row longer than the box (a long path) can be scrolled into view.
  void FitWidthTo(std::span<const std::string> rows);
  void ResetWidth();
  void DpiChanged() override;
  bool multiSelect_ = false;
  int widest_ = 0;  // pixels of the widest row added since the list was empty
  std::array<int, 128> asciiWidths_{};  // the font's ASCII advances, once read
  bool asciiWidthsRead_ = false;
  int updating_ = 0;
  bool redrawPending_ = false;  // drawing is off until the redraw timer fires
  DWORD lastRedraw_ = 0;
};

}  // namespace ui
