// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/plotsurface.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// One call made on a plot surface, with its arguments.
struct SurfaceCall {
    enum class Kind { scale, line, clear, toolTip };
    Kind kind = Kind::line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::optional<Colour> colour;
    std::string text;
};

// A plot surface that draws nothing and remembers every call in order. Given a journal,
// it also appends "<name>:<call>" to it, so that the order of calls across surfaces and
// other events can be checked.
class RecordingSurface : public PlotSurface {
public:
    explicit RecordingSurface(std::string name = "surface",
                              std::vector<std::string>* journal = nullptr)
        : m_name(std::move(name)), m_journal(journal)
    {
    }

    void scale(float x1, float y1, float x2, float y2) override
    {
        record({SurfaceCall::Kind::scale, x1, y1, x2, y2, {}, {}}, "scale");
    }
    void line(float x1, float y1, float x2, float y2,
              std::optional<Colour> colour = std::nullopt) override
    {
        record({SurfaceCall::Kind::line, x1, y1, x2, y2, colour, {}}, "line");
    }
    // A run of segments is recorded as the line calls it stands for, one per segment.
    void lines(std::span<const UserSegment> segments, Colour colour) override
    {
        for (const UserSegment& s : segments)
            line(s.x1, s.y1, s.x2, s.y2, colour);
    }
    void clear() override { record({SurfaceCall::Kind::clear, 0, 0, 0, 0, {}, {}}, "clear"); }
    void setToolTipText(const std::string& text) override
    {
        record({SurfaceCall::Kind::toolTip, 0, 0, 0, 0, {}, text}, "toolTip");
    }

    const std::vector<SurfaceCall>& calls() const { return m_calls; }
    std::vector<SurfaceCall> lines() const
    {
        std::vector<SurfaceCall> result;
        for (const SurfaceCall& call : m_calls)
            if (call.kind == SurfaceCall::Kind::line)
                result.push_back(call);
        return result;
    }
    void forget() { m_calls.clear(); }

private:
    void record(SurfaceCall call, const char* what)
    {
        m_calls.push_back(std::move(call));
        if (m_journal != nullptr)
            m_journal->push_back(m_name + ":" + what);
    }

    std::string m_name;
    std::vector<std::string>* m_journal;
    std::vector<SurfaceCall> m_calls;
};
