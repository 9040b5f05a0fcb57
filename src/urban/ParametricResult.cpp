#include "urban/ParametricResult.h"

#include <utility>

#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/ResultImage.h"

void ShowParametricResult(TMainForm& m, BytePlane map, const std::string& caption, Panel3Result which,
                          int border) {
  m.ResultImage = std::move(map);
  m.PanelCaption = caption;
  m.SavedPanelCaption = caption;
  m.ResultBorder = border;
  // The saves of panel 3 write the gray plane again, not a colour result shown there before.
  if (!m.EditorColourImage) m.ColourMode = 0;
  for (const Panel3Result colour :
       {p3SingleSuperposition, p3TransparentSuperposition, p3ColouredOriginal, p3ColouredParameter})
    m.Panel3Pending[colour] = 0;
  m.Panel3Pending[which] = 1;
  m.Enable({"SaveParamSpeedButton1"});
  if (!ResultImageForm) return;
  IMAGE image(m.ResultImage.Columns(), m.ResultImage.Lines(), IMAGE::kGray);
  image.SetFromPlane(m.ResultImage);
  ResultImageForm->SetCaptionText(" 3.- " + caption);
  ResultImageForm->ShowImage(image);
  ResultImageForm->ShowPanel();
}
