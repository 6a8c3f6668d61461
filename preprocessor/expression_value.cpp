#include "preprocessor/expression_value.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

// C++20 defines both the conversion to signed and the arithmetic right shift.
int64_t signExtend(uint64_t bits, int width) {
  if (width <= 0 || width >= 64) return static_cast<int64_t>(bits);
  return static_cast<int64_t>(bits << (64 - width)) >> (64 - width);
}

uint64_t zeroExtend(uint64_t bits, int size) { return size >= 8 ? bits : bits & ((uint64_t(1) << (8 * size)) - 1); }

int validSize(int size) { return size == 1 || size == 2 || size == 4 ? size : 8; }

// Truncation toward zero without the undefined conversion of values out of range.
int64_t truncate(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 0x1p63) return std::numeric_limits<int64_t>::max();
  if (value < -0x1p63) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

// Rounding to single precision; values beyond its range become infinities, as IEEE
// arithmetic would give, without the undefined conversion of such values.
float toSingle(double value) {
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

struct SizeName {
  int size;
  const char* signedName;
  const char* unsignedName;
};

constexpr SizeName integerNames[] = {
    {1, "char", "unsigned char"},
    {2, "short", "unsigned short"},
    {4, "int", "unsigned int"},
    {8, "long long", "unsigned long long"},
};

}  // namespace

ExpressionValue ExpressionValue::boolean(bool value) {
  ExpressionValue result;
  result.kind_ = Kind::Boolean;
  result.payload_ = value ? 1 : 0;
  return result;
}

ExpressionValue ExpressionValue::signedInteger(int64_t value, int size, int bitWidth) {
  ExpressionValue result;
  result.kind_ = Kind::Signed;
  result.size_ = validSize(size);
  result.bitWidth_ = bitWidth > 0 && bitWidth <= 64 ? bitWidth : 0;
  result.payload_ = static_cast<uint64_t>(value);
  return result;
}

ExpressionValue ExpressionValue::unsignedInteger(uint64_t value, int size) {
  ExpressionValue result;
  result.kind_ = Kind::Unsigned;
  result.size_ = validSize(size);
  result.payload_ = value;
  return result;
}

ExpressionValue ExpressionValue::floating(double value, int size) {
  ExpressionValue result;
  result.kind_ = Kind::Floating;
  result.size_ = size == 4 ? 4 : 8;
  result.floating_ = size == 4 ? static_cast<double>(toSingle(value)) : value;
  return result;
}

ExpressionValue ExpressionValue::string(const QString& text) {
  ExpressionValue result;
  result.kind_ = Kind::String;
  result.text_ = text;
  return result;
}

ExpressionValue ExpressionValue::marker(std::shared_ptr<const void> payload) {
  ExpressionValue result;
  result.kind_ = Kind::Marker;
  result.marker_ = std::move(payload);
  return result;
}

int64_t ExpressionValue::toSigned() const {
  switch (kind_) {
    case Kind::Boolean:
      return static_cast<int64_t>(payload_);
    case Kind::Signed:
    case Kind::Unsigned:
      return signExtend(payload_, bitWidth_ > 0 ? bitWidth_ : 8 * size_);
    case Kind::Floating:
      return truncate(floating_);
    default:
      return 0;
  }
}

uint64_t ExpressionValue::toUnsigned() const {
  switch (kind_) {
    case Kind::Boolean:
      return payload_;
    case Kind::Signed:
    case Kind::Unsigned:
      return zeroExtend(payload_, size_);
    case Kind::Floating:
      return size_ == 4 ? std::bit_cast<uint32_t>(toSingle(floating_)) : std::bit_cast<uint64_t>(floating_);
    default:
      return 0;
  }
}

double ExpressionValue::toDouble() const {
  switch (kind_) {
    case Kind::Boolean:
      return static_cast<double>(payload_);
    case Kind::Signed:
      return static_cast<double>(toSigned());
    case Kind::Unsigned:
      return static_cast<double>(toUnsigned());
    case Kind::Floating:
      return floating_;
    default:
      return 0;
  }
}

QString ExpressionValue::kindName() const {
  switch (kind_) {
    case Kind::Boolean:
      return QStringLiteral("boolean");
    case Kind::Signed:
    case Kind::Unsigned:
      for (const SizeName& entry : integerNames)
        if (entry.size == size_) return QLatin1String(kind_ == Kind::Signed ? entry.signedName : entry.unsignedName);
      break;
    case Kind::Floating:
      return size_ == 4 ? QStringLiteral("float") : QStringLiteral("double");
    case Kind::String:
      return QStringLiteral("string");
    case Kind::Marker:
      return QStringLiteral("marker");
    case Kind::Unknown:
      break;
  }
  return QStringLiteral("unknown");
}
