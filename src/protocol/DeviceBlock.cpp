#include "protocol/DeviceBlock.h"

#include "protocol/AlarmImageCodec.h"
#include "protocol/OptionBlockCodec.h"
#include "protocol/SwitchBlockCodec.h"

namespace {

bool isOption(const QString &deviceType)
{
    return deviceType == QLatin1String("Option");
}

bool isSwitch(const QString &deviceType)
{
    return deviceType == QLatin1String("Switch");
}

} // namespace

bool hasParameterBlock(const QString &deviceType)
{
    return parameterBlockLength(deviceType) > 0;
}

int parameterBlockLength(const QString &deviceType)
{
    if (deviceType == QLatin1String("Alarm"))
        return alarmImageLength;
    if (isOption(deviceType))
        return optionBlockLength;
    if (isSwitch(deviceType))
        return switchBlockLength;
    return 0;
}

ImageDecodeResult decodeParameterBlock(const QString &deviceType, const QByteArray &block, CommunicatorModel model,
                                       ParameterSet &set, ParameterStatus &status)
{
    if (isOption(deviceType))
        return decodeOptionBlock(block, model, set, status);
    if (isSwitch(deviceType))
        return decodeSwitchBlock(block, model, set, status);
    return decodeAlarmImage(block, model, set, status);
}

QByteArray encodeParameterBlock(const QString &deviceType, const ParameterSet &set, const ParameterStatus &status,
                                CommunicatorModel model)
{
    if (isOption(deviceType))
        return encodeOptionBlock(set);
    if (isSwitch(deviceType))
        return encodeSwitchBlock(set);
    return encodeAlarmImage(set, status, model);
}
