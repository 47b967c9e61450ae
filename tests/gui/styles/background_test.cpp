#include "styles/background.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QPainter>
#include <string>

#include "styles/program_style.h"
#include "styles/standard_styles.h"
#include "styles/styled_button.h"
#include "widget_picture.h"

namespace mervanta {
namespace {

// The tile as rows of "1" for the fill colour and "0" for the rest.
std::vector<std::string> Rows(const QImage& tile, const QColor& fore) {
  std::vector<std::string> rows;
  for (int y = 0; y < tile.height(); ++y) {
    std::string row;
    for (int x = 0; x < tile.width(); ++x) row += tile.pixelColor(x, y) == fore ? '1' : '0';
    rows.push_back(row);
  }
  return rows;
}

TEST(Background, ThePatternTilesArePixelExact) {
  const QColor fore(10, 20, 30), back(200, 210, 220);
  struct TCase {
    TFillKind Kind;
    std::vector<std::string> Rows;
  } cases[] = {
      {TFillKind::BDiagonal,
       {"00000111", "00001110", "00011100", "00111000", "01110000", "11100000", "11000001",
        "10000011"}},
      {TFillKind::FDiagonal,
       {"10000011", "11000001", "11100000", "01110000", "00111000", "00011100", "00001110",
        "00000111"}},
      {TFillKind::Grid,
       {"00000000", "00000000", "00100010", "00000000", "00000000", "00000000", "00100010",
        "00000000"}},
      {TFillKind::Dither, {"10", "01"}},
  };
  for (const TCase& c : cases) {
    const QImage tile = FillTile(c.Kind, fore, back, false);
    EXPECT_EQ(Rows(tile, fore), c.Rows) << static_cast<int>(c.Kind);
  }
  const QImage clear = FillTile(TFillKind::Grid, fore, back, true);
  EXPECT_EQ(clear.pixelColor(0, 0).alpha(), 0);
  EXPECT_EQ(clear.pixelColor(2, 2), fore);
}

TEST(Background, EdgesShrinkTheContentSideBySide) {
  QImage image(40, 30, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TPainterStyle style = WithPaletteColors({}, nullptr);
  style.EdgeOuter = TEdgeKind::Solid;
  style.EdgeInner = TEdgeKind::Space;
  style.Edges = eLeft | eTop;
  style.FillColor = QColor(1, 2, 3);
  const QRect content = PaintBackground(painter, image.rect(), style, {});
  EXPECT_EQ(content, QRect(2, 2, 38, 28));
  painter.end();
  EXPECT_EQ(image.pixelColor(0, 10), style.EdgeColor);
  EXPECT_EQ(image.pixelColor(1, 10), QColor(Qt::white)) << "a space edge draws nothing";
  EXPECT_EQ(image.pixelColor(2, 10), style.FillColor);
  EXPECT_EQ(image.pixelColor(39, 10), style.FillColor) << "no edge on the right";
}

TEST(StyledButtons, ARowInEveryStateForALook) {
  QWidget row;
  auto* layout = new QHBoxLayout(&row);
  const auto add = [&](const QString& caption, const std::function<void(TStyledButton&)>& set) {
    auto* button = new TStyledButton(caption, StandardButtonPainter(), &row);
    set(*button);
    layout->addWidget(button);
    return button;
  };
  add("&Normal", [](TStyledButton&) {});
  add("&Default", [](TStyledButton& b) { b.setDefault(true); });
  add("&Checked", [](TStyledButton& b) {
    b.setCheckable(true);
    b.setChecked(true);
  });
  add("Dis&abled", [](TStyledButton& b) { b.setEnabled(false); });
  TStyledButton* pressed = add("&Pressed", [](TStyledButton& b) { b.setDown(true); });
  layout->addWidget(new TStyledLink("Program Home Page", QUrl("https://mervanta.example.org/"),
                                    HyperlinkPainter(), &row));
  row.show();
  EXPECT_EQ(pressed->StateFlags() & sfPressed, sfPressed);
  EXPECT_FALSE(test::SaveWidgetPicture(row, "styled_buttons").empty());
  // The look of its own, where the desktop's theme takes no part.
  TPushStyler& styler = *StandardButtonPainter().Styler();
  styler.SetMode(TStylerMode::Classic);
  EXPECT_FALSE(test::SaveWidgetPicture(row, "styled_buttons_classic").empty());
  styler.SetMode(TStylerMode::ThemeStdBtn);
}

TEST(ProgramStyle, QtsOwnPushButtonsTakeTheProgramsButtonLook) {
  TProgramStyle style;
  QPushButton plain(QStringLiteral("Apply"));
  plain.setStyle(&style);
  TStyledButton styled(QStringLiteral("Apply"), StandardButtonPainter());
  QPushButton flat(QStringLiteral("Apply"));
  flat.setFlat(true);
  flat.setStyle(&style);
  QPushButton desktop(QStringLiteral("Apply"));
  for (QPushButton* button : {&plain, static_cast<QPushButton*>(&styled), &flat, &desktop}) {
    button->setFixedSize(90, 30);
    button->show();
  }
  TPushStyler& styler = *StandardButtonPainter().Styler();
  styler.SetMode(TStylerMode::Classic);
  EXPECT_EQ(plain.grab().toImage(), styled.grab().toImage());
  EXPECT_NE(flat.grab().toImage(), styled.grab().toImage()) << "flat buttons keep the desktop's";
  EXPECT_NE(desktop.grab().toImage(), styled.grab().toImage());
  styler.SetMode(TStylerMode::ThemeStdBtn);
}

}  // namespace
}  // namespace mervanta
