#pragma once

#include <vector>
#include "tz_export.h"

TZAD_SDK_BEGIN

// The SDK's array: a std::vector with the names CAD SDKs use.
template <typename T>
class TzArray : public std::vector<T> {
 public:
  using std::vector<T>::vector;
  int length() const { return static_cast<int>(this->size()); }
  int logicalLength() const { return length(); }
  bool isEmpty() const { return this->empty(); }
  TzArray& append(const T& value) {
    this->push_back(value);
    return *this;
  }
  T& at(int i) { return (*this)[static_cast<size_t>(i)]; }
  const T& at(int i) const { return (*this)[static_cast<size_t>(i)]; }
  void setLogicalLength(int n) { this->resize(static_cast<size_t>(n)); }
};

TZAD_SDK_END
