#include "ui/insert_template_layout.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

const InsertTemplateMetrics kMetrics;  // the sizes at 96 dots per inch

bool Inside(const PaneRect& inner, int width, int height) {
  return inner.left >= 0 && inner.top >= 0 && inner.width >= 0 && inner.height >= 0 &&
         inner.left + inner.width <= width && inner.top + inner.height <= height;
}

TEST(InsertTemplateLayout, ListAndPreviewShareTheWidthBesideTheSplitter) {
  const auto panes = LayOutInsertTemplate(675, 276, 260, kMetrics);
  EXPECT_EQ(panes.listWidth, 260);
  EXPECT_EQ(panes.filter.width, 260);
  EXPECT_EQ(panes.list.left, panes.filter.left);
  EXPECT_EQ(panes.filter.top + panes.filter.height + kMetrics.gap, panes.list.top);
  EXPECT_EQ(panes.splitter.left, panes.list.left + panes.list.width);
  EXPECT_EQ(panes.preview.left, panes.splitter.left + panes.splitter.width);
  EXPECT_EQ(panes.preview.left + panes.preview.width, 675 - kMetrics.margin);
  // The buttons sit bottom right, below both panes, Insert left of Cancel.
  EXPECT_EQ(panes.cancel.left + panes.cancel.width, 675 - kMetrics.margin);
  EXPECT_EQ(panes.cancel.top + panes.cancel.height, 276 - kMetrics.margin);
  EXPECT_LT(panes.insert.left + panes.insert.width, panes.cancel.left);
  EXPECT_LT(panes.list.top + panes.list.height, panes.insert.top);
  EXPECT_EQ(panes.list.top + panes.list.height, panes.preview.top + panes.preview.height);
}

TEST(InsertTemplateLayout, TheSplitterKeepsBothPanesInSight) {
  EXPECT_EQ(ClampListWidth(5, 675, kMetrics), kMetrics.minPane);
  const int room = 675 - 2 * kMetrics.margin - kMetrics.splitterWidth;
  EXPECT_EQ(ClampListWidth(5000, 675, kMetrics), room - kMetrics.minPane);
  EXPECT_EQ(LayOutInsertTemplate(675, 276, 5000, kMetrics).preview.width, kMetrics.minPane);
  // Too narrow for two panes of the least width: half each.
  EXPECT_EQ(ClampListWidth(300, 70, kMetrics), (70 - 2 * kMetrics.margin - kMetrics.splitterWidth) / 2);
  EXPECT_EQ(ClampListWidth(300, 0, kMetrics), 0);
}

TEST(InsertTemplateLayout, AClientAreaTooSmallGivesNoNegativeSizes) {
  for (const auto& [width, height] : {std::pair{0, 0}, std::pair{10, 10}, std::pair{60, 30}, std::pair{200, 40}}) {
    const auto panes = LayOutInsertTemplate(width, height, 260, kMetrics);
    for (const PaneRect& pane : {panes.filter, panes.list, panes.splitter, panes.preview, panes.insert, panes.cancel}) {
      EXPECT_GE(pane.width, 0) << width << "x" << height;
      EXPECT_GE(pane.height, 0) << width << "x" << height;
      EXPECT_GE(pane.left, 0) << width << "x" << height;
      EXPECT_GE(pane.top, 0) << width << "x" << height;
    }
  }
  const auto roomy = LayOutInsertTemplate(400, 300, 100, kMetrics);
  for (const PaneRect& pane : {roomy.filter, roomy.list, roomy.splitter, roomy.preview, roomy.insert, roomy.cancel})
    EXPECT_TRUE(Inside(pane, 400, 300));
}

}  // namespace
}  // namespace bw
