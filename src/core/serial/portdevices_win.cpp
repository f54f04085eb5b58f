// The COM ports as the Device Manager lists them: SetupAPI's Ports class, each
// device's COM name from its "Device Parameters" key, its name, maker and USB ids
// from its registry properties and instance id.
#include "portdevices.h"

#include "portnames.h"

#include <windows.h>
#include <setupapi.h>

#include <vector>

namespace portdevices {
namespace {

// GUID_DEVCLASS_PORTS of devguid.h, spelt out so that no GUID library is needed.
const GUID kPortsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// A text property; the first string of a list (the most specific hardware id).
QString property(HDEVINFO set, SP_DEVINFO_DATA *device, DWORD which)
{
    DWORD type = 0;
    DWORD size = 0;
    ::SetupDiGetDeviceRegistryPropertyW(set, device, which, &type, nullptr, 0, &size);
    if (size == 0 || (type != REG_SZ && type != REG_MULTI_SZ))
        return QString();
    // One character more than asked for: a value stored without its terminator still ends.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (!::SetupDiGetDeviceRegistryPropertyW(set, device, which, &type, reinterpret_cast<BYTE *>(text.data()), size,
                                             nullptr))
        return QString();
    return QString::fromWCharArray(text.data());
}

QString instanceId(HDEVINFO set, SP_DEVINFO_DATA *device)
{
    DWORD size = 0;
    ::SetupDiGetDeviceInstanceIdW(set, device, nullptr, 0, &size);
    if (size == 0)
        return QString();
    std::vector<wchar_t> text(size + 1, L'\0');
    if (!::SetupDiGetDeviceInstanceIdW(set, device, text.data(), size, nullptr))
        return QString();
    return QString::fromWCharArray(text.data());
}

// "COM3", from the value the port's driver keeps in the device's own key.
QString portNameOf(HDEVINFO set, SP_DEVINFO_DATA *device)
{
    const HKEY key = ::SetupDiOpenDevRegKey(set, device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE)
        return QString();
    wchar_t name[64] = {};
    DWORD type = 0;
    DWORD size = sizeof(name) - sizeof(wchar_t);
    const LONG result = ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(name), &size);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? QString::fromWCharArray(name) : QString();
}

} // namespace

QList<portscan::AdapterInfo> comDevices()
{
    QList<portscan::AdapterInfo> list;
    const HDEVINFO set = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return list;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const QString port = portNameOf(set, &device);
        if (portnames::comNumber(port) == 0)
            continue; // LPT1, or a device that has no COM name yet
        portscan::AdapterInfo info;
        info.device = port.toUpper();
        QString name = property(set, &device, SPDRP_FRIENDLYNAME);
        if (name.isEmpty())
            name = property(set, &device, SPDRP_DEVICEDESC);
        info.description = withoutPortName(name, port);
        info.manufacturer = property(set, &device, SPDRP_MFG);
        const QString id = instanceId(set, &device);
        info.serialNumber = usbSerialNumber(id);
        if (!usbIds(id, &info.vendorId, &info.productId))
            usbIds(property(set, &device, SPDRP_HARDWAREID), &info.vendorId, &info.productId);
        list.append(info);
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return list;
}

std::optional<portscan::AdapterInfo> comDevice(const QString &portName)
{
    for (const portscan::AdapterInfo &info : comDevices())
        if (info.device.compare(portName, Qt::CaseInsensitive) == 0)
            return info;
    return std::nullopt;
}

} // namespace portdevices
