// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/TopoJson.h"

#include "map/MapError.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace map {

namespace {

using nlohmann::json;

// Thrown inside the decoder for a well-formed JSON text that is no usable
// Topology; turned into a MapError naming the file.
struct BadTopology {
    std::string reason;
};

// Reads a TopoJSON text in one pass. The arcs, nearly all of the file, go
// straight into flat number lists; the rest (transform, objects) is kept as
// a small JSON tree. A whole tree of the arcs would cost a small allocation
// per point and several times the load time.
class TopologyReader : public nlohmann::json_sax<json> {
public:
    std::vector<std::vector<double>> arcs;  // x, y, x, y, ... as written
    bool sawArcs = false;
    json rest;
    std::string error;

    bool null() override { return value(json(nullptr)); }
    bool boolean(bool v) override { return value(json(v)); }
    bool number_integer(number_integer_t v) override { return number(static_cast<double>(v), json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return number(static_cast<double>(v), json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return number(v, json(v)); }
    bool string(string_t& v) override { return value(json(v)); }
    bool binary(binary_t&) override { return fail("it holds binary data"); }

    bool start_object(std::size_t) override
    {
        if (m_arcDepth > 0) {
            return fail("an arc holds a position that is not a pair of numbers");
        }
        m_stack.push_back(open(json::object()));
        return true;
    }
    bool key(string_t& k) override
    {
        m_key = k;
        return true;
    }
    bool end_object() override
    {
        m_stack.pop_back();
        return true;
    }
    bool start_array(std::size_t) override
    {
        if (m_arcDepth > 0 || (m_stack.size() == 1 && m_key == "arcs" && m_stack.back()->is_object())) {
            ++m_arcDepth;
            sawArcs = true;
            if (m_arcDepth == 2) {
                arcs.emplace_back();
            } else if (m_arcDepth == 3) {
                m_numbersInPosition = 0;
            } else if (m_arcDepth > 3) {
                return fail("an arc holds a position that is not a pair of numbers");
            }
            return true;
        }
        m_stack.push_back(open(json::array()));
        return true;
    }
    bool end_array() override
    {
        if (m_arcDepth > 0) {
            if (m_arcDepth == 3 && m_numbersInPosition < 2) {
                return fail("an arc holds a position that is not a pair of numbers");
            }
            --m_arcDepth;
            return true;
        }
        m_stack.pop_back();
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override
    {
        return fail(std::string("not valid JSON (") + e.what() + ")");
    }

private:
    bool fail(const std::string& reason)
    {
        if (error.empty()) {
            error = reason;
        }
        return false;
    }

    bool number(double v, json asValue)
    {
        if (m_arcDepth == 0) {
            return value(std::move(asValue));
        }
        if (m_arcDepth != 3) {
            return fail("an arc holds a position that is not a pair of numbers");
        }
        // A third value (an elevation, say) is allowed and not needed.
        if (m_numbersInPosition++ < 2) {
            arcs.back().push_back(v);
        }
        return true;
    }

    bool value(json v)
    {
        if (m_arcDepth > 0) {
            return fail("an arc holds a position that is not a pair of numbers");
        }
        open(std::move(v));
        return true;
    }

    // Puts v where the reader stands and returns where it went.
    json* open(json v)
    {
        if (m_stack.empty()) {
            rest = std::move(v);
            return &rest;
        }
        json& parent = *m_stack.back();
        if (parent.is_object()) {
            json& slot = parent[m_key];
            slot = std::move(v);
            return &slot;
        }
        parent.push_back(std::move(v));
        return &parent.back();
    }

    std::vector<json*> m_stack;
    std::string m_key;
    int m_arcDepth = 0;  // 1 in the list of arcs, 2 in an arc, 3 in a position
    int m_numbersInPosition = 0;
};

std::vector<std::vector<LonLat>> decodeArcs(const json& topology, const std::vector<std::vector<double>>& raw)
{
    // Quantised files store each arc as integer steps from the previous
    // point; the transform turns the running sums into degrees.
    double scale[2] = {1.0, 1.0};
    double translate[2] = {0.0, 0.0};
    const auto transform = topology.find("transform");
    const bool quantised = transform != topology.end();
    if (quantised) {
        const json& s = transform->at("scale");
        const json& t = transform->at("translate");
        for (int i = 0; i < 2; ++i) {
            scale[i] = s.at(i).get<double>();
            translate[i] = t.at(i).get<double>();
        }
    }

    std::vector<std::vector<LonLat>> decoded;
    decoded.reserve(raw.size());
    for (const std::vector<double>& arc : raw) {
        std::vector<LonLat> points;
        points.reserve(arc.size() / 2);
        double x = 0.0;
        double y = 0.0;
        for (std::size_t i = 0; i + 1 < arc.size(); i += 2) {
            x = quantised ? x + arc[i] : arc[i];
            y = quantised ? y + arc[i + 1] : arc[i + 1];
            const LonLat p{x * scale[0] + translate[0], y * scale[1] + translate[1]};
            if (!(p.lon >= -180.0 && p.lon <= 180.0 && p.lat >= -90.0 && p.lat <= 90.0)) {
                throw BadTopology{"an arc leaves the range of longitude and latitude"};
            }
            points.push_back(p);
        }
        if (points.size() < 2) {
            throw BadTopology{"an arc has fewer than two points"};
        }
        decoded.push_back(std::move(points));
    }
    return decoded;
}

std::vector<int> decodeRing(const json& ring, std::size_t arcCount)
{
    std::vector<int> indexes;
    for (const json& value : ring) {
        const long long index = value.get<long long>();
        const long long arc = index < 0 ? ~index : index;
        if (arc >= static_cast<long long>(arcCount)) {
            throw BadTopology{"a ring refers to arc " + std::to_string(index) + ", which it does not have"};
        }
        indexes.push_back(static_cast<int>(index));
    }
    if (indexes.empty()) {
        throw BadTopology{"a ring has no arcs"};
    }
    return indexes;
}

TopoPolygon decodePolygon(const json& rings, std::size_t arcCount)
{
    TopoPolygon polygon;
    for (const json& ring : rings) {
        polygon.push_back(decodeRing(ring, arcCount));
    }
    return polygon;
}

// Collections may nest as deep as a file likes: the members wait on a list
// of their own instead of the call stack, last pushed first taken, which
// keeps file order.
void decodeGeometry(const json& root, std::size_t arcCount, std::vector<std::vector<TopoPolygon>>& out)
{
    std::vector<const json*> pending{&root};
    while (!pending.empty()) {
        const json& geometry = *pending.back();
        pending.pop_back();
        const std::string type = geometry.value("type", "");
        if (type == "GeometryCollection") {
            const json& members = geometry.at("geometries");
            if (!members.is_array()) {
                throw BadTopology{"a GeometryCollection's geometries are not a list"};
            }
            for (auto member = members.rbegin(); member != members.rend(); ++member) {
                pending.push_back(&*member);
            }
        } else if (type == "Polygon") {
            out.push_back({decodePolygon(geometry.at("arcs"), arcCount)});
        } else if (type == "MultiPolygon") {
            std::vector<TopoPolygon> polygons;
            for (const json& rings : geometry.at("arcs")) {
                polygons.push_back(decodePolygon(rings, arcCount));
            }
            out.push_back(std::move(polygons));
        }
    }
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw MapError("cannot open outlines file " + path + ": " + std::strerror(errno));
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        throw MapError("cannot read outlines file " + path);
    }
    return bytes.str();
}

}  // namespace

Topology readTopology(const std::string& path)
{
    const std::string text = readWholeFile(path);
    try {
        TopologyReader reader;
        if (!json::sax_parse(text, &reader)) {
            throw BadTopology{reader.error.empty() ? "not valid JSON" : reader.error};
        }
        const json& document = reader.rest;
        if (!document.is_object() || document.value("type", "") != "Topology") {
            throw BadTopology{"it is not a TopoJSON Topology"};
        }
        if (!reader.sawArcs) {
            throw BadTopology{"it has no arcs"};
        }
        Topology topology;
        topology.arcs = decodeArcs(document, reader.arcs);
        for (const auto& [name, object] : document.at("objects").items()) {
            auto& geometries = topology.objects[name];
            decodeGeometry(object, topology.arcs.size(), geometries);
        }
        return topology;
    } catch (const BadTopology& e) {
        throw MapError("outlines file " + path + " is damaged: " + e.reason);
    } catch (const json::exception& e) {
        throw MapError("outlines file " + path + " is damaged: " + e.what());
    }
}

std::vector<LonLat> ringPoints(const Topology& topology, const std::vector<int>& ring)
{
    std::vector<LonLat> points;
    for (const int index : ring) {
        const bool reversed = index < 0;
        const auto& arc = topology.arcs[static_cast<std::size_t>(reversed ? ~index : index)];
        // Each arc after the first starts where the previous one ended.
        const std::size_t skip = points.empty() ? 0 : 1;
        if (reversed) {
            for (auto it = arc.rbegin() + static_cast<long>(skip); it != arc.rend(); ++it) {
                points.push_back(*it);
            }
        } else {
            points.insert(points.end(), arc.begin() + static_cast<long>(skip), arc.end());
        }
    }
    return points;
}

}  // namespace map
