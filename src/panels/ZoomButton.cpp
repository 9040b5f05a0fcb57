// The zoom speed button: while it is down, clicks in the panels zoom.
#include "app/MainWindow.h"
#include "ui/Cursors.h"

void TMainForm::ZoomSpeedButtonClick() {
  ui::SetScreenCursor(IsDown("ZoomSpeedButton") ? ui::crLoupe : ui::crArrow);
}
