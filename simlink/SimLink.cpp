// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/SimLink.h"

#include "simlink/FlightGearLink.h"
#include "simlink/XPlaneLink.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace simlink {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

int portOf(const std::string& text, const std::string& whole)
{
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), ::isdigit))
        throw std::invalid_argument("The port in \"" + whole + "\" must be a number from 1 to 65535.");
    const int port = std::stoi(text);
    if (port < 1 || port > 65535)
        throw std::invalid_argument("The port in \"" + whole + "\" must be a number from 1 to 65535.");
    return port;
}

}  // namespace

const char* kindName(SimulatorKind kind) { return kind == SimulatorKind::XPlane ? "X-Plane" : "FlightGear"; }

std::string describe(const LinkAddress& address)
{
    const bool v6 = address.host.find(':') != std::string::npos;
    return std::string(kindName(address.kind)) + " on " + (v6 ? "[" + address.host + "]" : address.host) + ":" +
           std::to_string(address.port);
}

LinkAddress parseLinkAddress(const std::string& text)
{
    const std::size_t colon = text.find(':');
    const std::string kind = lower(text.substr(0, colon));
    LinkAddress address;
    if (kind == "flightgear" || kind == "fg") {
        address.kind = SimulatorKind::FlightGear;
        address.port = FLIGHTGEAR_DEFAULT_PORT;
    } else if (kind == "xplane" || kind == "x-plane") {
        address.kind = SimulatorKind::XPlane;
        address.port = XPLANE_DEFAULT_PORT;
    } else {
        throw std::invalid_argument("\"" + text + "\" names no simulator: use flightgear[:HOST[:PORT]] or "
                                    "xplane[:HOST[:PORT]].");
    }
    if (colon == std::string::npos)
        return address;
    std::string rest = text.substr(colon + 1);
    std::string host, port;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos || (close + 1 < rest.size() && rest[close + 1] != ':'))
            throw std::invalid_argument("The host in \"" + text + "\" lacks its closing bracket.");
        host = rest.substr(1, close - 1);
        if (close + 1 < rest.size())
            port = rest.substr(close + 2);
        if (close + 1 < rest.size() && port.empty())
            throw std::invalid_argument("The port in \"" + text + "\" must be a number from 1 to 65535.");
    } else {
        const std::size_t second = rest.find(':');
        host = rest.substr(0, second);
        if (second != std::string::npos)
            port = rest.substr(second + 1);
        if (second != std::string::npos && port.empty())
            throw std::invalid_argument("The port in \"" + text + "\" must be a number from 1 to 65535.");
    }
    if (!host.empty())
        address.host = host;
    if (!port.empty())
        address.port = portOf(port, text);
    return address;
}

std::unique_ptr<SimLink> openLink(const LinkAddress& address, LinkHandlers handlers)
{
    if (address.kind == SimulatorKind::XPlane)
        return std::make_unique<XPlaneLink>(address, std::move(handlers));
    return std::make_unique<FlightGearLink>(address, std::move(handlers));
}

}  // namespace simlink
