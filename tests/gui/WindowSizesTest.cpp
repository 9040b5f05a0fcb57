// Every window made at start-up, shown once: it fits a 1024 x 768 screen, its edits hold six digits,
// and an information window shows its pictures and texts whole.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>

#include "Program.h"
#include "panels/InfoPictures.h"
#include "panels/InfoWindows.h"
#include "sequence/FirmagramParam.h"
#include "sequence/WaveletTreatmentForm.h"

namespace {

std::string Text(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
         std::to_string(r.height());
}

std::string Name(const ui::Form* form) {
  return form->metaObject()->className() + (" \"" + form->Caption() + "\"");
}

// The width the edit leaves its text: its contents less the text margins and the edit's own 2 + 2.
int TextRoom(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth =
      edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  return contents.width() - edit->textMargins().left() - edit->textMargins().right() - 4;
}

void ExpectFits(const ui::Form* form, const std::string& when) {
  const QSize frame = form->frameGeometry().size();
  EXPECT_TRUE(frame.width() <= 1024 && frame.height() <= 768)
      << Name(form) << when << ": " << frame.width() << " x " << frame.height();
  for (const QLineEdit* edit : form->findChildren<QLineEdit*>()) {
    if (!edit->isVisible()) continue;
    EXPECT_GE(TextRoom(edit), edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")))
        << Name(form) << when << ": edit " << edit->width() << " wide";
  }
}

// The part of `widget` its window shows, in its own coordinates: clipped by every parent.
std::string Shown(const QWidget* widget) {
  QRect shown = widget->rect();
  QPoint offset;
  for (const QWidget* w = widget; !w->isWindow(); w = w->parentWidget()) {
    offset += w->pos();
    shown &= w->parentWidget()->rect().translated(-offset);
  }
  return Text(shown);
}

void Show(QWidget* window) {
  window->show();
  QApplication::processEvents();
}

}  // namespace

using WindowSizesTest = ProgramTest;

TEST_F(WindowSizesTest, EveryWindowFitsTheScreenAndItsEditsHoldSixDigits) {
  const auto forms = MainForm->findChildren<ui::Form*>(Qt::FindDirectChildrenOnly);
  for (const ui::Form* known :
       {static_cast<ui::Form*>(FirmagramParamForm), static_cast<ui::Form*>(WaveletTreatmentForm),
        static_cast<ui::Form*>(InfoForms[iwFractPrism])})
    ASSERT_TRUE(forms.contains(known));
  for (ui::Form* form : forms) {
    if (auto* info = dynamic_cast<TInfoForm*>(form)) info->Build();
    Show(form);
    ExpectFits(form, "");
    // The boxes a choice shows later (the line and zone bounds), one at a time.
    for (QWidget* box : form->findChildren<QWidget*>()) {
      if (!box->isHidden() || box->findChildren<QLineEdit*>().empty()) continue;
      box->show();
      QApplication::processEvents();
      const auto* group = qobject_cast<QGroupBox*>(box);
      ExpectFits(form, " with " + (group ? group->title().toStdString() : "a box") + " shown");
      box->hide();
    }
    form->hide();
  }
}

TEST_F(WindowSizesTest, InformationWindowsShowTheirPicturesAndTextsWhole) {
  for (TInfoForm* form : InfoForms) {
    form->Build();
    Show(form);
    const std::string name = Name(form);
    for (const QLabel* label : form->findChildren<QLabel*>()) {
      EXPECT_EQ(Shown(label), Text(label->rect())) << name << ": " << label->text().toStdString();
      const QSize room = label->contentsRect().size();
      if (!label->pixmap().isNull())
        EXPECT_TRUE(label->pixmap().width() <= room.width() && label->pixmap().height() <= room.height())
            << name;
      else {
        // Laid at its width, the text keeps within the label.
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QRect text =
            label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 1 << 20), wrap, label->text());
        const int height = wrap ? label->heightForWidth(label->width()) : text.height();
        EXPECT_TRUE(text.width() <= room.width() && height <= (wrap ? label->height() : room.height()))
            << name << ": " << label->text().toStdString();
      }
    }
    for (const QPlainTextEdit* memo : form->findChildren<QPlainTextEdit*>())
      EXPECT_EQ(std::tuple(Shown(memo), memo->verticalScrollBar()->maximum()),
                std::tuple(Text(memo->rect()), 0))
          << name;
    form->hide();
  }
  // The prism's formula stays inside its picture: the picture's side columns are bare paper.
  const QImage triangle = DrawInfoPicture("prism-triangle");
  for (int x : {0, triangle.width() - 1})
    for (int y = 0; y < triangle.height(); ++y)
      ASSERT_EQ(triangle.pixel(x, y), triangle.pixel(0, 0)) << x << "," << y;
}
