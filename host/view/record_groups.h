// The groups of one record, read in place from the drawing's text: codes and raw values,
// nothing decoded or copied. The view reads hundreds of thousands of entities per scene.
#pragma once

#include <string_view>
#include <vector>

namespace tzad {

struct RawGroup {
  int code = 0;
  std::string_view value;  // without line end; numbers may carry blanks
};

class RecordGroups {
 public:
  // Splits a record's text; the groups refer into it.
  void read(std::string_view text);
  const std::vector<RawGroup>& all() const { return groups_; }
  size_t size() const { return groups_.size(); }
  const RawGroup& operator[](size_t i) const { return groups_[i]; }

  // The first group with this code, or null.
  const RawGroup* find(int code) const;
  double real(int code, double fallback = 0) const;
  int integer(int code, int fallback = 0) const;
  std::string_view text(int code) const;

 private:
  std::vector<RawGroup> groups_;
};

double realOf(std::string_view value, double fallback = 0);
int integerOf(std::string_view value, int fallback = 0);
// ASCII upper case: layer and block names compare without regard to case.
std::string upperAscii(std::string_view name);

}  // namespace tzad
