#pragma once
// The horizontal and vertical lineal diagrams: six points of segment counting.
#include <array>

#include "diagrams/DiagramForm.h"

inline constexpr const char* kLinealLineReportText =
    "\n\n\tHorizontal Segment Counting Diagram registered\n\tin the file %s ";
inline constexpr const char* kLinealColumnReportText =
    "\n\n\tVertical Segment Counting Diagram registered\n\tin the file %s ";

// One direction's six points, slope and dimension.
struct LinealPoints {
  const std::array<double, 6>& logSize;
  const std::array<double, 6>& logCount;
  double dimension;
  double slope;
};

class TDiagLinFractForm : public TDiagramForm {
  Q_OBJECT
 public:
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();

 protected:
  TDiagLinFractForm(QWidget* owner, const std::string& caption);
  virtual LinealPoints Points() const = 0;
  virtual int& SavedFlag() const = 0;
  virtual int& PendingFlag() const = 0;
};

class TDiagLinFractLineForm : public TDiagLinFractForm {
  Q_OBJECT
 public:
  explicit TDiagLinFractLineForm(QWidget* owner);

 protected:
  LinealPoints Points() const override;
  int& SavedFlag() const override;
  int& PendingFlag() const override;
};

class TDiagLinFractColForm : public TDiagLinFractForm {
  Q_OBJECT
 public:
  explicit TDiagLinFractColForm(QWidget* owner);

 protected:
  LinealPoints Points() const override;
  int& SavedFlag() const override;
  int& PendingFlag() const override;
};

extern TDiagLinFractLineForm* DiagLinFractLineForm;
extern TDiagLinFractColForm* DiagLinFractColForm;
