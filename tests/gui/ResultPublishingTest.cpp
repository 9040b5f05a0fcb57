// The step every parametric result image of panel 3 ends with.
#include "Program.h"
#include "app/MainWindow.h"
#include "panels/ResultImage.h"
#include "panels/ResultPublishing.h"

class ResultPublishingTest : public ProgramTest {};

TEST_F(ResultPublishingTest, AGrayResultEndsTheColourResultsButNotTheEditorsPicture) {
  for (const int editorPicture : {0, 1}) {
    SCOPED_TRACE(editorPicture);
    LoadOriginal(BytePlane(6, 4));
    TMainForm& m = *MainForm;
    m.ColourMode = kColourModeRgb;
    m.EditorColourImage = editorPicture;
    m.Panel3Pending.fill(0);
    m.Panel3Pending[p3SingleSuperposition] = m.Panel3Pending[p3ColouredParameter] = 1;
    m.Enable({"SaveParamSpeedButton1"}, false);
    m.ResultImage.Fill(7);
    PublishResultImage({p3FractStar, "Fract Star", 2});
    // Panel 3's save writes the gray plane now; the editor's picture of panel 2 stays the screen save's.
    EXPECT_EQ(m.ColourMode, editorPicture ? kColourModeRgb : 0);
    EXPECT_EQ(std::tuple(m.Panel3Pending[p3SingleSuperposition], m.Panel3Pending[p3ColouredParameter],
                         m.Panel3Pending[p3FractStar]),
              std::tuple(0, 0, 1));
    EXPECT_EQ(std::tuple(m.ResultBorder, m.PanelCaption, ResultImageForm->CaptionText()),
              std::tuple(2, std::string("Fract Star"), std::string(" 3.- Fract Star")));
    EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
    EXPECT_EQ(qGray(ResultImageForm->Bitmap().pixel(5, 3)), 7);
  }
}
