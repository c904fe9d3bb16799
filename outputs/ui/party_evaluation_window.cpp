#include "outputs/ui/party_evaluation_window.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/help_topics.h"
#include "base/user_dialogs.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

// The chart's own coordinate system; the view scales it to its size.
constexpr double kChartWidth = 580;
constexpr double kChartHeight = 400;
constexpr double kPlotTop = 60;     // the scale maximum
constexpr double kPlotBottom = 340; // the axis
constexpr double kAxisLeft = 38;
constexpr double kAxisRight = 42 + 5 * kPartyCounters + 4;

} // namespace

PartyChartView::PartyChartView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("chart"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  setMinimumSize(580, 400);
}

void PartyChartView::SetChart(PartyChart chart) {
  chart_ = std::move(chart);
  update();
}

void PartyChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(width() / kChartWidth, height() / kChartHeight);

  // Title, bold and blue.
  QFont title(QStringLiteral("Arial"), 12);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::blue);
  painter.drawText(QRectF(0, 8, kChartWidth, 24), Qt::AlignHCenter | Qt::AlignVCenter,
                   ToQString(chart_.title));

  // Scale: ten rules with their labels, the axis, the caption.
  QFont small(QStringLiteral("Arial"), 7);
  painter.setFont(small);
  const double plotHeight = kPlotBottom - kPlotTop;
  for (int n = 1; n <= 10; ++n) {
    const double y = kPlotBottom - plotHeight * n / 10.0;
    painter.setPen(QPen(QColor(210, 210, 210), 0));
    painter.drawLine(QPointF(kAxisLeft, y), QPointF(kAxisRight, y));
    painter.setPen(Qt::black);
    if (n <= static_cast<int>(chart_.scaleLabels.size()))
      painter.drawText(QRectF(0, y - 7, kAxisLeft - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                       ToQString(chart_.scaleLabels[static_cast<std::size_t>(n - 1)]));
  }
  painter.setPen(QPen(Qt::black, 0));
  painter.drawLine(QPointF(kAxisLeft, kPlotTop), QPointF(kAxisLeft, kPlotBottom));
  painter.drawLine(QPointF(kAxisLeft, kPlotBottom), QPointF(kAxisRight, kPlotBottom));

  // Bars.
  painter.setPen(QPen(Qt::darkBlue, 0));
  painter.setBrush(QColor(0, 0, 160));
  for (const PartyChart::Bar& bar : chart_.bars) {
    const double h = plotHeight * bar.count / std::max<double>(chart_.scaleMaximum, 1);
    painter.drawRect(QRectF(bar.x, kPlotBottom - h, bar.width, h));
  }

  // Age labels under the axis, and the caption.
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  for (const PartyChart::Label& label : chart_.labels) {
    painter.drawLine(QPointF(label.x, kPlotBottom), QPointF(label.x, kPlotBottom + 3));
    painter.drawText(QPointF(label.x, kPlotBottom + 14), ToQString(label.text));
  }
  QFont caption(QStringLiteral("Arial"), 9);
  caption.setBold(true);
  painter.setFont(caption);
  painter.drawText(QRectF(0, kPlotBottom + 22, kChartWidth, 20), Qt::AlignHCenter,
                   ToQString(chart_.axisCaption));
}

PartyEvaluationWindow::PartyEvaluationWindow(Fileblock& log, QWidget* parent)
    : QDialog(parent), log_(log) {
  setObjectName(QStringLiteral("partyauswertungform"));
  setWindowTitle(QStringLiteral("Übersicht"));
  SetHelpContext(this, kPartyEvaluationHelpTopic);
  chart = new PartyChartView(this);
  r1 = new QRadioButton(QStringLiteral("Ein-Jahres-Schritte"), this);
  r1->setObjectName(QStringLiteral("r1"));
  r5 = new QRadioButton(QStringLiteral("5-Jahres-Schritte"), this);
  r5->setObjectName(QStringLiteral("r5"));
  r10 = new QRadioButton(QStringLiteral("10-Jahres-Schritte"), this);
  r10->setObjectName(QStringLiteral("r10"));
  r1->setChecked(true);
  auto* group = new QButtonGroup(this);
  group->addButton(r1, 1);
  group->addButton(r5, 5);
  group->addButton(r10, 10);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { SetClassWidth(id); });
  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(r1);
  bottom->addWidget(r5);
  bottom->addWidget(r10);
  bottom->addStretch(1);
  bottom->addWidget(btnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart, 1);
  layout->addLayout(bottom);
  resize(760, 520);
  SetClassWidth(1);
}

void PartyEvaluationWindow::SetClassWidth(int width) {
  classWidth_ = width == 5 || width == 10 ? width : 1;
  QRadioButton* button = classWidth_ == 1 ? r1 : classWidth_ == 5 ? r5 : r10;
  if (!button->isChecked())
    button->setChecked(true);
  counters_ = CountPartyAges(log_, classWidth_);
  chart->SetChart(BuildPartyChart(counters_, classWidth_));
}

void ShowPartyEvaluation(Fileblock& log, std::int32_t contestStart, UserDialogs& dialogs,
                         QWidget* parent, std::optional<QRect>& placement) {
  if (contestStart <= 0) {
    dialogs.Inform(PartyNoStartMessage());
    return;
  }
  PartyEvaluationWindow window(log, parent);
  if (window.Empty()) {
    dialogs.Inform(PartyNoQsoMessage());
    return;
  }
  if (placement)
    window.setGeometry(*placement);
  window.exec();
  placement = window.geometry();
}

} // namespace tarvik
