#include "editor/insert_template_filter.h"

#include "base/text_case.h"

namespace bw {

InsertTemplateList::InsertTemplateList(std::vector<TemplateRow> rows) : rows_(std::move(rows)) { SetFilter({}); }

void InsertTemplateList::SetFilter(std::string_view typed) {
  filter_ = typed;
  shown_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (typed.empty() || FindIgnoringCase(rows_[i].name, typed) != std::string_view::npos) shown_.push_back(i);
  SelectShown(0);
}

void InsertTemplateList::SelectShown(std::optional<std::size_t> position) {
  if (position && *position < shown_.size())
    selected_ = shown_[*position];
  else
    selected_.reset();
}

std::string_view InsertTemplateList::Preview() const {
  return selected_ ? std::string_view(rows_[*selected_].text) : std::string_view();
}

}  // namespace bw
