#include "readers/common/gnu_target_options.h"

namespace {

/// An option written "<prefix><value>" and the field its value fills.
struct ValueOption {
  const char* prefix;
  QString TargetDevice::*field;
};

constexpr ValueOption valueOptions[] = {
    {"-mcpu=", &TargetDevice::core}, {"-mfpu=", &TargetDevice::fpu}, {"-mfloat-abi=", &TargetDevice::floatAbi}};

}  // namespace

bool takeTargetOption(const QString& option, TargetDevice& device) {
  for (const ValueOption& known : valueOptions) {
    if (option.startsWith(QLatin1String(known.prefix))) {
      device.*known.field = option.mid(qsizetype(qstrlen(known.prefix)));
      return true;
    }
  }
  if (option == QLatin1String("-mlittle-endian") || option == QLatin1String("-mbig-endian")) {
    device.byteOrder = option.mid(2, option.indexOf(QLatin1Char('-'), 2) - 2);
    return true;
  }
  if (option == QLatin1String("-mcmse")) {
    device.secureCode = true;
    return true;
  }
  return option == QLatin1String("-mthumb");
}

QStringList targetOptions(const TargetDevice& device) {
  QStringList options;
  for (const ValueOption& known : valueOptions)
    if (!(device.*known.field).isEmpty()) options.append(QLatin1String(known.prefix) + device.*known.field);
  if (!device.byteOrder.isEmpty()) options.append(QStringLiteral("-m") + device.byteOrder + QStringLiteral("-endian"));
  return options;
}
