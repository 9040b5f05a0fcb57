#include "panels/ResultPublishing.h"

#include "app/ColourResults.h"
#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/ResultImage.h"

void PublishScaledResult(const DoublePlane& values, const GrayScaling& scaling, const PixelRectangle& shown,
                         const ResultPublication& publication) {
  ScaleToGray(values, scaling, shown, MainForm->ResultImage);
  PublishResultImage(publication);
}

void PublishResultImage(const ResultPublication& publication, const IMAGE* picture) {
  TMainForm& m = *MainForm;
  m.ResultBorder = publication.Border;
  m.Panel3Pending[publication.Result] = 1;
  EndColourResults(m);
  m.PanelCaption = publication.Title;
  m.SavedPanelCaption = publication.Title;
  m.Enable({"SaveParamSpeedButton1"});
  if (!ResultImageForm) return;
  ResultImageForm->SetCaptionText(" 3.- " + publication.Title);
  if (picture) {
    ResultImageForm->ShowImage(*picture);
  } else {
    IMAGE image(m.ResultImage.Columns(), m.ResultImage.Lines(), IMAGE::kGray);
    image.SetFromPlane(m.ResultImage);
    ResultImageForm->ShowImage(image);
  }
  ResultImageForm->ShowPanel();
}
