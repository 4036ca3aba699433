// The two functioning modes: manual (the user edits the playlist) and
// automatic (the playlist is the pictures of one folder).
#include "app/main_form.h"
#include "app/shorten_path.h"

namespace wc {

void TMainForm::modeautomaticClick(ui::Component&) {
  FunctioningMode = 1;
  ShowFunctioningMode();
}

void TMainForm::modemanualClick(ui::Component&) {
  FunctioningMode = 2;
  ShowFunctioningMode();
}

void TMainForm::ShowFunctioningMode() {
  if (FunctioningMode == 1) {
    modemanual.SetChecked(false);
    GroupBox1.SetEnabled(false);
    GroupBox1.SetCaption("Playlist management - disabled");
    modeautomatic.SetChecked(true);
    browse.SetEnabled(true);
    reload.SetEnabled(true);
  } else {
    modemanual.SetChecked(true);
    GroupBox1.SetEnabled(true);
    GroupBox1.SetCaption("Playlist management");
    modeautomatic.SetChecked(false);
    browse.SetEnabled(false);
    reload.SetEnabled(false);
  }
  automaticlocation.SetCaption(ShortenPath(AutomaticFolder));
}

}  // namespace wc
