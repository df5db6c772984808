#include "link/Portfunctions.h"

#include "link/BridgeCommands.h"
#include "link/PortPath.h"

#include <algorithm>

namespace tarnwick {

void Portfunctions::OpenPort(const std::string& path)
{
    const auto device_path = DeviceForPortPath(path);
    if (!device_path || !device_.Open(*device_path)) {
        log_.SendMsg(msg::kPortNotAvailable);
        return;
    }
    if (!device_.ReadLineSettings()) {
        log_.SendMsg(msg::kGetSettingsFailed);
        device_.Close();
        return;
    }
    if (!device_.ApplyBridgeLineSettings()) {
        log_.SendMsg(msg::kSetSettingsFailed);
        device_.Close();
        return;
    }
    device_.PurgeQueues();
    if (!SendPacket(Packet::Of(bridge::kConfiguration))) {
        log_.SendMsg(msg::kConfigurationFailed);
        device_.Close();
    }
}

bool Portfunctions::SendPacket(const Packet& packet)
{
    if (packet.Length < 0 || packet.Length > Packet::kCapacity || !device_.IsOpen())
        return false;
    return device_.Write(packet.Bytes());
}

Packet Portfunctions::ReceivePacket()
{
    Packet packet;
    for (int look = 0; look < kAnswerLooks; ++look) {
        if (const std::size_t waiting = device_.BytesWaiting(); waiting > 0) {
            const std::size_t wanted = std::min(waiting, packet.Data.size());
            packet.Length = static_cast<std::int32_t>(device_.Read(std::span(packet.Data).first(wanted)));
            return packet;
        }
        device_.WaitForInput(kLookInterval);
    }
    return packet;
}

void Portfunctions::ClosePort() { device_.Close(); }

}  // namespace tarnwick
