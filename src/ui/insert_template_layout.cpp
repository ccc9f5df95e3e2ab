#include "ui/insert_template_layout.h"

#include <algorithm>

namespace bw {

int ClampListWidth(int listWidth, int clientWidth, const InsertTemplateMetrics& m) {
  const int room = clientWidth - 2 * m.margin - m.splitterWidth;  // list and preview together
  if (room < 2 * m.minPane) return std::max(room / 2, 0);
  return std::clamp(listWidth, m.minPane, room - m.minPane);
}

InsertTemplatePanes LayOutInsertTemplate(int clientWidth, int clientHeight, int listWidth,
                                         const InsertTemplateMetrics& m) {
  const auto nonNegative = [](int value) { return std::max(value, 0); };
  InsertTemplatePanes panes;
  panes.listWidth = ClampListWidth(listWidth, clientWidth, m);

  const int buttonTop = nonNegative(clientHeight - m.margin - m.buttonHeight);
  const int paneBottom = nonNegative(buttonTop - m.gap);
  const int paneHeight = nonNegative(paneBottom - m.margin);
  const int listTop = m.margin + m.editHeight + m.gap;

  panes.filter = {m.margin, m.margin, panes.listWidth, std::min(m.editHeight, paneHeight)};
  panes.list = {m.margin, std::min(listTop, paneBottom), panes.listWidth, nonNegative(paneBottom - listTop)};
  panes.splitter = {m.margin + panes.listWidth, m.margin, m.splitterWidth, paneHeight};
  const int previewLeft = panes.splitter.left + m.splitterWidth;
  panes.preview = {previewLeft, m.margin, nonNegative(clientWidth - m.margin - previewLeft), paneHeight};

  const int cancelLeft = nonNegative(clientWidth - m.margin - m.buttonWidth);
  panes.cancel = {cancelLeft, buttonTop, m.buttonWidth, m.buttonHeight};
  panes.insert = {nonNegative(cancelLeft - m.gap - m.buttonWidth), buttonTop, m.buttonWidth, m.buttonHeight};
  return panes;
}

}  // namespace bw
