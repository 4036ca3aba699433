#pragma once
// The scan dialog (window name "ScanDiskForm"): searches a folder, and when
// asked every folder below it, for files of the chosen kinds on a worker
// thread, previews a found file and adds found files to the playlist.
// Closing the dialog only hides it: a search goes on and its results keep
// arriving in the hidden window.
#include <string>
#include <vector>

#include "scan/disk_search.h"
#include "scan/scan_disk_thread.h"
#include "ui/animate.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace wc {


class TScanDiskForm : public ui::Form {
 public:
  explicit TScanDiskForm(ui::Application& app);

  void Button1Click(ui::Component& sender);  // "...": the folder picker
  void Button2Click(ui::Component& sender);  // "...": the file-kind menu
  void Button3Click(ui::Component& sender);  // "Start Searching"
  void Button4Click(ui::Component& sender);  // "Add to ShowList": the add menu
  void Button5Click(ui::Component& sender);  // "Remove Selected"
  void AllImageFiles1Click(ui::Component& sender);
  void AllMovieFiles1Click(ui::Component& sender);
  void HTMLFiles1Click(ui::Component& sender);
  void AllSupportedFiles1Click(ui::Component& sender);
  void AddAllFiles1Click(ui::Component& sender);
  void AddSelectedFilesOnly1Click(ui::Component& sender);
  void AddAllButSelectedFiles1Click(ui::Component& sender);
  void SearchListBoxClick(ui::Component& sender);
  void SearchPreviewCheckBoxClick(ui::Component& sender);
  // The search's end, on the GUI thread: the buttons back, the clip stopped.
  void SearchFinished();
  // The title in the language now in use.
  void TextsReplaced() override;

  // ---- what the search and the add thread do on the GUI thread
  // Appends a group of found paths and shows the count so far.
  void AppendResults(const std::vector<std::string>& paths, int foundCount);
  // One add command (1 all, 2 the selected, 3 all but the selected); other
  // modes do nothing.
  void AddResults(int mode);

  const KindList& Kinds() const { return kinds_; }
  void SetKinds(const KindList& kinds);
  bool Searching() const { return searching_; }

  ui::Label Label1{this, "Label1"};
  ui::Edit SearchDirectoryEdit{this, "SearchDirectoryEdit"};
  ui::Button Button1{this, "Button1"};
  ui::Label Label2{this, "Label2"};
  ui::Edit FileMaskEdit{this, "FileMaskEdit"};
  ui::Button Button2{this, "Button2"};
  ui::CheckBox CheckBox1{this, "CheckBox1"};
  ui::Button Button3{this, "Button3"};
  ui::Animate Animate1{this, "Animate1"};
  ui::Label Label3{this, "Label3"};
  ui::Label CountLabel{this, "CountLabel"};
  ui::ListBox SearchListBox{this, "SearchListBox"};
  ui::Button Button4{this, "Button4"};
  ui::Button Button5{this, "Button5"};
  ui::CheckBox SearchPreviewCheckBox{this, "SearchPreviewCheckBox"};
  ui::Bevel Bevel3{this, "Bevel3"};
  ui::Image SearchImage{this, "SearchImage"};

  ui::PopupMenu FileMaskPopupMenu{this, "FileMaskPopupMenu"};
  ui::MenuItem AllImageFiles1{this, "AllImageFiles1", nullptr, "&All Image Files"};
  ui::MenuItem AllMovieFiles1{this, "AllMovieFiles1", nullptr, "A&ll Movie Files"};
  ui::MenuItem HTMLFiles1{this, "HTMLFiles1", nullptr, "&HTML Files"};
  ui::MenuItem N1{this, "N1", nullptr, "-"};
  ui::MenuItem AllSupportedFiles1{this, "AllSupportedFiles1", nullptr, "All &supported Files"};
  ui::PopupMenu AddPopupMenu{this, "AddPopupMenu"};
  ui::MenuItem AddAllFiles1{this, "AddAllFiles1", nullptr, "&Add All Files to ShowList"};
  ui::MenuItem AddSelectedFilesOnly1{this, "AddSelectedFilesOnly1", nullptr, "A&dd Selected Files Only"};
  ui::MenuItem AddAllButSelectedFiles1{this, "AddAllButSelectedFiles1", nullptr, "Add Al&l but Selected Files"};

 private:
  void SetSearchButtons(bool enabled);
  // Empties the result list, a slice at a time when it is long, then starts
  // the search.
  void ClearResultsThenSearch(ScanDisk::TMyThread::Setup setup);
  // Shows the current result's preview (the click's steps after the first).
  void PreviewCurrent();
  void ShowPreview(const std::string& file);
  void ShowMenuAtPointer(ui::PopupMenu& menu);
  KindList kinds_;
  bool searching_ = false;
};

}  // namespace wc
