#include "request_guard.h"

#include "command_line.h"
#include "res_address.h"

#include <string>
#include <vector>

namespace formulario {

void CRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.requestUrl().scheme() == QLatin1String(res_address::kScheme))
        return;
    info.block(true);
    emit requestRefused(info.requestUrl());
}

void CloseEngineNetworkChannels()
{
    static const std::vector<std::string> kSwitches = {
        "--force-webrtc-ip-handling-policy=disable_non_proxied_udp",
        "--host-resolver-rules=MAP * ~NOTFOUND",
    };
    // Last, so that they hold over any the command line gave.
    const std::string flags = EngineFlags(qEnvironmentVariable(kEngineFlagsVariable).toStdString(), kSwitches);
    qputenv(kEngineFlagsVariable, QByteArray::fromStdString(flags));
}

}  // namespace formulario
