#pragma once
// The tagged value that expression nodes compute.

#include <QString>
#include <cstdint>
#include <memory>

/// A value of the expression evaluator: a truth value, a signed or unsigned integer
/// with a size in bytes, a string, a marker, a floating-point number, or nothing.
class ExpressionValue {
 public:
  enum class Kind { Boolean, Signed, Unsigned, String, Marker, Floating, Unknown };

  /// The "unknown" value (the result of an empty expression).
  ExpressionValue() = default;
  static ExpressionValue boolean(bool value);
  /// size is 1, 2, 4 or 8; a bitWidth from 1 to 64 makes a bit field (0: none).
  static ExpressionValue signedInteger(int64_t value, int size = 8, int bitWidth = 0);
  static ExpressionValue unsignedInteger(uint64_t value, int size = 8);
  /// size 4 rounds value to single precision.
  static ExpressionValue floating(double value, int size = 8);
  static ExpressionValue string(const QString& text);
  /// An opaque payload shared by every copy of the value.
  static ExpressionValue marker(std::shared_ptr<const void> payload);

  Kind kind() const { return kind_; }
  /// Bytes of an integer or floating value; 0 for the other kinds.
  int size() const { return size_; }
  int bitWidth() const { return bitWidth_; }
  /// The signed, unsigned and floating kinds.
  bool isNumber() const { return kind_ == Kind::Signed || kind_ == Kind::Unsigned || kind_ == Kind::Floating; }
  bool isInteger() const { return kind_ == Kind::Signed || kind_ == Kind::Unsigned; }

  /// The raw 64 payload bits of a truth value or an integer.
  uint64_t payload() const { return payload_; }
  double floatingValue() const { return floating_; }
  const QString& text() const { return text_; }
  const std::shared_ptr<const void>& markerPayload() const { return marker_; }

  /// Truth value 0 or 1; an integer sign-extended from its bit width, else from its
  /// size (unsigned ones too); a floating value truncated toward zero (saturated,
  /// NaN gives 0); other kinds 0.
  int64_t toSigned() const;
  /// Truth value 0 or 1; an integer zero-extended from its size; a floating value as
  /// the bits of its single or double representation; other kinds 0.
  uint64_t toUnsigned() const;
  /// The numeric value of a truth value, integer or floating value; 0 for the other kinds.
  double toDouble() const;
  /// "boolean", "char", "unsigned int", "double", "string", "marker", "unknown" and so on.
  QString kindName() const;

 private:
  Kind kind_ = Kind::Unknown;
  int size_ = 0;
  int bitWidth_ = 0;
  uint64_t payload_ = 0;
  double floating_ = 0;
  QString text_;
  std::shared_ptr<const void> marker_;
};
