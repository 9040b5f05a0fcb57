// The tool bar of the main window: twenty speed buttons, two groups of which
// at most one button is down (and all may be up).
#include <QAction>
#include <QActionGroup>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <vector>

#include "app/MainWindow.h"

namespace {

using Handler = void (TMainForm::*)();

struct SpeedButton {
  const char* name;
  const char* hint;
  Handler handler;
  int group;         // 0: a plain push button
  bool gapAfter;     // a gap stands after this button
  const char* mark;  // the glyph drawn on the button
};

const std::vector<SpeedButton>& ButtonTable() {
  static const std::vector<SpeedButton> table = {
      {"OpenSpeedButton1", "Open Gray Tone File", &TMainForm::OpenSpeedButton1Click, 0, false, "open"},
      {"OpenBinarSpeedButton1", "Open Binary Image", &TMainForm::OpenBinarSpeedButton1Click, 0, true,
       "openb"},
      {"SaveOriginalSpeedButton1", "Save Original Transformed Image",
       &TMainForm::SaveOriginalSpeedButton1Click, 0, true, "s1"},
      {"SaveBinarSpeedButton1", "Save Binary Image", &TMainForm::SaveBinarSpeedButton1Click, 0, true, "s2"},
      {"SaveParamSpeedButton1", "Save Resulting Image [Panel 3]", &TMainForm::SaveParamSpeedButton1Click, 0,
       true, "s3"},
      {"SaveScreenSpeedButton", "Save Screen Editor", &TMainForm::SaveScreenSpeedButtonClick, 0, true, "se"},
      {"ZoomSpeedButton", "Zoom", &TMainForm::ZoomSpeedButtonClick, 4, false, "zoom"},
      {"UndoSpeedButton1", "Undo", &TMainForm::UndoSpeedButton1Click, 0, false, "undo"},
      {"PipetteSpeedButton1", "Pipette", &TMainForm::PipetteSpeedButton1Click, 4, false, "pipette"},
      {"InfoSpeedButton", "Info following Speed Buttons", &TMainForm::InfoSpeedButtonClick, 0, false, "info"},
      {"ColorSpeedButton", "Recoding Labelized Items", &TMainForm::ColorSpeedButtonClick, 4, false, "colour"},
      {"CuvetSpeedButton", "Filling Tool", &TMainForm::CuvetSpeedButtonClick, 4, false, "pot"},
      {"PencilSpeedButton", "Pencil", &TMainForm::PencilSpeedButtonClick, 8, false, "pencil"},
      {"LineSpeedButton", "Line", &TMainForm::LineSpeedButtonClick, 8, false, "line"},
      {"DelateLineSpeedButton", "Delate Previous Line", &TMainForm::DelateLineSpeedButtonClick, 0, false,
       "delline"},
      {"LocalFillingSpeedButton", "Local Filling", &TMainForm::LocalFillingSpeedButtonClick, 8, false,
       "fill"},
      {"DilatSpeedButton", "Adaptive Closing", &TMainForm::DilatSpeedButtonClick, 0, false, "dilat"},
      {"AureoleSpeedButton", " Extraction of the Dilation Contour", &TMainForm::AureoleSpeedButtonClick, 0,
       false, "aureole"},
      {"GoBackSpeedButton", "Return", &TMainForm::GoBackSpeedButtonClick, 0, true, "back"},
      {"ExitSpeedButton1", "Exit", &TMainForm::ExitSpeedButton1Click, 0, false, "exit"},
  };
  return table;
}

// Our own glyphs, drawn with a few strokes.
QIcon Glyph(const std::string& mark) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(30, 30, 60), 2));
  auto label = [&](const char* text) {
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::fromUtf8(text));
  };
  if (mark == "open" || mark == "openb") {
    painter.drawRect(5, 10, 22, 16);
    painter.drawLine(5, 10, 11, 5);
    painter.drawLine(11, 5, 17, 10);
    if (mark == "openb") painter.fillRect(12, 15, 8, 8, Qt::black);
  } else if (mark[0] == 's') {
    painter.drawRect(5, 5, 22, 22);
    painter.fillRect(10, 5, 12, 8, QColor(30, 30, 60));
    label(mark == "se" ? "E" : mark.substr(1).c_str());
  } else if (mark == "zoom") {
    painter.drawEllipse(QPointF(13, 13), 8, 8);
    painter.drawLine(19, 19, 28, 28);
  } else if (mark == "undo") {
    painter.drawArc(8, 8, 16, 16, 30 * 16, 270 * 16);
    painter.drawLine(8, 16, 5, 11);
  } else if (mark == "pipette") {
    painter.drawLine(5, 27, 20, 12);
    painter.drawEllipse(QPointF(23, 9), 4, 4);
  } else if (mark == "info") {
    label("i");
    painter.drawEllipse(QPointF(16, 16), 11, 11);
  } else if (mark == "colour") {
    painter.fillRect(5, 5, 10, 10, Qt::red);
    painter.fillRect(17, 5, 10, 10, Qt::green);
    painter.fillRect(5, 17, 10, 10, Qt::blue);
    painter.fillRect(17, 17, 10, 10, Qt::yellow);
  } else if (mark == "pot") {
    painter.drawRect(8, 10, 12, 16);
    painter.drawLine(20, 12, 27, 24);
  } else if (mark == "pencil") {
    painter.drawLine(5, 27, 25, 7);
    painter.drawLine(8, 27, 27, 9);
  } else if (mark == "line") {
    painter.drawLine(5, 27, 27, 5);
  } else if (mark == "delline") {
    painter.drawLine(5, 27, 27, 5);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawLine(6, 6, 26, 26);
  } else if (mark == "fill") {
    painter.drawRect(6, 6, 20, 20);
    painter.fillRect(10, 10, 12, 12, QColor(30, 30, 60));
  } else if (mark == "dilat") {
    painter.fillRect(8, 8, 6, 16, QColor(30, 30, 60));
    painter.fillRect(18, 8, 6, 16, QColor(30, 30, 60));
    painter.drawLine(14, 16, 18, 16);
  } else if (mark == "aureole") {
    painter.drawEllipse(QPointF(16, 16), 11, 11);
    painter.fillRect(11, 11, 10, 10, QColor(30, 30, 60));
  } else if (mark == "back") {
    painter.drawLine(6, 16, 26, 16);
    painter.drawLine(6, 16, 13, 9);
    painter.drawLine(6, 16, 13, 23);
  } else if (mark == "exit") {
    painter.drawRect(8, 5, 16, 22);
    painter.drawLine(14, 16, 28, 16);
  }
  return QIcon(pixmap);
}

}  // namespace

void TMainForm::BuildToolBar() {
  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(32, 32));
  QActionGroup* group4 = new QActionGroup(this);
  QActionGroup* group8 = new QActionGroup(this);
  for (QActionGroup* group : {group4, group8})
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  bool first = true;
  for (const SpeedButton& button : ButtonTable()) {
    QAction* action = ToolBar1->addAction(Glyph(button.mark), QString::fromUtf8(button.hint));
    action->setObjectName(QString::fromUtf8(button.name));
    action->setToolTip(QString::fromUtf8(button.hint));
    if (button.group != 0) {
      action->setCheckable(true);
      (button.group == 4 ? group4 : group8)->addAction(action);
    }
    connect(action, &QAction::triggered, this, button.handler);
    action->setEnabled(first);  // only the first button is live before an image is open
    first = false;
    items_[button.name] = action;
    if (button.gapAfter) ToolBar1->addSeparator();
  }
}
