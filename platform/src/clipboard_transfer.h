// What tzad hands the clipboard's owner (tzad-clipboard-owner) on its standard input: each
// type the clipboard offers, with its bytes, as "TYPE\nLENGTH\nBYTES".
#pragma once

#include <cstdlib>
#include <istream>
#include <string>
#include <utility>
#include <vector>

namespace platform {

using TypedData = std::vector<std::pair<std::string, std::string>>;

// More than any hyperlink holds: what claims to be longer is not from tzad.
constexpr size_t kMaxBytes = size_t(1) << 24;

inline std::string packTypedData(const TypedData& data) {
  std::string out;
  for (const auto& [type, bytes] : data)
    out += type + "\n" + std::to_string(bytes.size()) + "\n" + bytes;
  return out;
}

inline TypedData unpackTypedData(std::istream& in) {
  TypedData data;
  std::string type, length;
  while (std::getline(in, type) && std::getline(in, length)) {
    size_t size = std::strtoul(length.c_str(), nullptr, 10);
    if (size > kMaxBytes) break;
    std::string bytes(size, '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) break;
    data.emplace_back(std::move(type), std::move(bytes));
  }
  return data;
}

}  // namespace platform
