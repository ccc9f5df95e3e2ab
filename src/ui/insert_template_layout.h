// Where the Insert Template dialog's parts go in its client area: the filter field over the
// template list on the left, the splitter, the preview on the right, the two buttons below.
#pragma once

namespace bw {

struct PaneRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const PaneRect&, const PaneRect&) = default;
};

// Lengths in pixels at the dialog's resolution.
struct InsertTemplateMetrics {
  int margin = 8;
  int gap = 6;             // between the filter field and the list, and above the buttons
  int editHeight = 21;
  int buttonWidth = 75;
  int buttonHeight = 25;
  int splitterWidth = 5;
  int minPane = 40;        // the narrowest the list or the preview becomes by the splitter
};

struct InsertTemplatePanes {
  PaneRect filter;
  PaneRect list;
  PaneRect splitter;
  PaneRect preview;
  PaneRect insert;
  PaneRect cancel;
  int listWidth = 0;  // the width actually given to the list
};

// The list width a splitter at `listWidth` may have in a client area `clientWidth` wide: at
// least minPane, and leaving the preview at least minPane; in an area too small for both,
// half of what there is.
int ClampListWidth(int listWidth, int clientWidth, const InsertTemplateMetrics& metrics);

// Every part of a client area of the given size; no width or height is ever negative.
InsertTemplatePanes LayOutInsertTemplate(int clientWidth, int clientHeight, int listWidth,
                                         const InsertTemplateMetrics& metrics);

}  // namespace bw
