#include "leak/valgrind_report.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string unescape(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1)) {
            text.replace(at, std::char_traits<char>::length(entity), plain);
        }
    }
    return text;
}

// The text of the first <tag>...</tag> within [from, to), or empty.
std::string element(const std::string& xml, const std::string& tag, size_t from, size_t to) {
    const std::string open = "<" + tag + ">";
    const size_t start = xml.find(open, from);
    if (start == std::string::npos || start >= to) {
        return "";
    }
    const size_t end = xml.find("</" + tag + ">", start);
    if (end == std::string::npos || end > to) {
        return "";
    }
    return unescape(xml.substr(start + open.size(), end - start - open.size()));
}

// The [start, end) spans of every <tag>...</tag> within [from, to).
std::vector<std::pair<size_t, size_t>> spans(const std::string& xml, const std::string& tag,
                                             size_t from, size_t to) {
    std::vector<std::pair<size_t, size_t>> found;
    const std::string open = "<" + tag + ">";
    const std::string close = "</" + tag + ">";
    for (size_t start = xml.find(open, from); start != std::string::npos && start < to;) {
        const size_t end = xml.find(close, start);
        if (end == std::string::npos || end > to) {
            break;
        }
        found.emplace_back(start, end + close.size());
        start = xml.find(open, end);
    }
    return found;
}

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Frames of the allocation machinery, which only ever act for their caller.
bool isAllocatorFrame(const StackFrame& frame) {
    const std::string name = baseName(frame.object);
    return name.rfind("vgpreload_", 0) == 0 || name.rfind("libc.so", 0) == 0 ||
           name.rfind("libstdc++.so", 0) == 0 || name.rfind("libGLU.so", 0) == 0;
}

}  // namespace

ValgrindReport parseValgrindXml(const std::string& xml) {
    ValgrindReport report;
    report.complete = xml.find("</valgrindoutput>") != std::string::npos;
    for (const auto& [start, end] : spans(xml, "error", 0, xml.size())) {
        ValgrindError error;
        error.kind = element(xml, "kind", start, end);
        // Leaks describe themselves in <xwhat><text>, other errors in <what>.
        error.what = element(xml, "what", start, end);
        if (error.what.empty()) {
            error.what = element(xml, "text", start, end);
        }
        const auto stacks = spans(xml, "stack", start, end);
        if (!stacks.empty()) {
            for (const auto& [fs, fe] : spans(xml, "frame", stacks[0].first, stacks[0].second)) {
                StackFrame frame;
                frame.object = element(xml, "obj", fs, fe);
                frame.function = element(xml, "fn", fs, fe);
                frame.file = element(xml, "file", fs, fe);
                frame.line = std::atoi(element(xml, "line", fs, fe).c_str());
                error.stack.push_back(frame);
            }
        }
        report.errors.push_back(error);
    }
    return report;
}

ValgrindReport readValgrindXml(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return parseValgrindXml(text.str());
}

bool isLostBlock(const ValgrindError& error) {
    return error.kind == "Leak_DefinitelyLost" || error.kind == "Leak_IndirectlyLost";
}

bool allocatedBy(const ValgrindError& error, const std::string& programObject) {
    for (const StackFrame& frame : error.stack) {
        if (!isAllocatorFrame(frame)) {
            return frame.object == programObject;
        }
    }
    return false;
}

std::string describeError(const ValgrindError& error) {
    std::string text = error.kind + ": " + error.what + "\n";
    for (const StackFrame& frame : error.stack) {
        text += "    " + (frame.function.empty() ? std::string("???") : frame.function) + "  (" +
                (frame.file.empty() ? baseName(frame.object)
                                    : frame.file + ":" + std::to_string(frame.line)) +
                ")\n";
    }
    return text;
}
