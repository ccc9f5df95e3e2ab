// The Insert Template dialog's list: every template row, narrowed by a typed filter to the
// rows whose name contains it (letter case ignored), with one selected row whose text the
// preview shows.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

struct TemplateRow {
  std::string name;
  std::string hotkey;  // the hotkey's text, as the list shows it
  std::string text;    // the template
};

class InsertTemplateList {
public:
  // All rows shown, the first one selected.
  explicit InsertTemplateList(std::vector<TemplateRow> rows);

  // Shows the rows whose name contains `typed`, in their order, and selects the first of them
  // (none when no row matches). An empty filter shows every row.
  void SetFilter(std::string_view typed);
  const std::string& Filter() const { return filter_; }

  // Indexes into Rows() of the rows shown, top to bottom.
  std::span<const std::size_t> Shown() const { return shown_; }
  std::span<const TemplateRow> Rows() const { return rows_; }

  // The selected row's index into Rows(); nullopt when none is selected.
  std::optional<std::size_t> Selected() const { return selected_; }
  // Selects the shown row at `position` (from the top); out of range or nullopt clears it.
  void SelectShown(std::optional<std::size_t> position);

  // The selected row's template text, or empty: what the preview shows.
  std::string_view Preview() const;

private:
  std::vector<TemplateRow> rows_;
  std::vector<std::size_t> shown_;
  std::optional<std::size_t> selected_;
  std::string filter_;
};

}  // namespace bw
