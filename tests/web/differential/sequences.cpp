#include "sequences.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace differential {

namespace {

const double kPi = 3.14159265358979323846;

class Generator {
   public:
    explicit Generator(std::mt19937_64& random) : random_(random) {}

    Sequence sequence() {
        Sequence out;
        for (int items = 4 + below(16); items > 0; --items) {
            item(out, true);
        }
        return out;
    }

   private:
    int below(int n) {
        return static_cast<int>(random_() % static_cast<std::uint64_t>(n));
    }
    bool chance(double p) {
        return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p;
    }

    // A primitive, a display list (outside lists only) or a single call.
    void item(Sequence& out, bool listsToo) {
        const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        if (roll < 0.2) {
            primitive(out);
        } else if (listsToo && roll < 0.3) {
            list(out);
        } else {
            out.push_back(call(anyOp()));
        }
    }

    const Op& anyOp() {
        int total = 0;
        for (const Op& candidate : ops()) {
            total += candidate.weight;
        }
        int pick = below(total);
        for (const Op& candidate : ops()) {
            pick -= candidate.weight;
            if (pick < 0) {
                return candidate;
            }
        }
        return ops().back();
    }

    // A call with valid arguments, now and then one at an edge.
    Call call(const Op& named) {
        Call made{&named, {}};
        bool edged = false;
        for (const Domain* domain : named.args) {
            if (!domain->wholes.empty()) {
                const Values& whole = domain->wholes[static_cast<std::size_t>(
                    below(static_cast<int>(domain->wholes.size())))];
                made.args.insert(made.args.end(), whole.begin(), whole.end());
                continue;
            }
            for (int i = 0; i < domain->count; ++i) {
                const bool edge = !edged && !domain->edges.empty() && chance(0.1);
                const auto& from = edge ? domain->edges : domain->valid;
                made.args.push_back(
                    from[static_cast<std::size_t>(below(static_cast<int>(from.size())))].value);
                edged = edged || edge;
            }
        }
        return made;
    }

    // glBegin, vertices round a circle so that every polygon has an area,
    // their attributes and now and then any other call, and glEnd.
    void primitive(Sequence& out) {
        out.push_back(call(op("glBegin")));
        double angle = below(360);
        // A normal, colour or texture coordinate of any type and form.
        static const std::vector<const Op*> attributes = [] {
            std::vector<const Op*> found;
            for (const Op& candidate : ops()) {
                const std::string name = candidate.name;
                if (name.rfind("glNormal", 0) == 0 || name.rfind("glColor", 0) == 0 ||
                    name.rfind("glTexCoord", 0) == 0) {
                    found.push_back(&candidate);
                }
            }
            return found;
        }();
        static const char* const kAttributes[] = {"glNormal3f", "glNormal3fv", "glTexCoord2f",
                                                  "glColor3f",  "glColor4f",   "glMaterialfv",
                                                  "glMaterialf"};
        static const char* const kVertices[] = {
            "glVertex2f", "glVertex3f",  "glVertex2fv", "glVertex3fv", "glVertex2d",
            "glVertex3d", "glVertex2dv", "glVertex3dv", "glVertex4f",  "glVertex4dv"};
        for (int items = below(8); items > 0; --items) {
            const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
            if (roll < 0.65) {
                Call vertex{&op(kVertices[below(10)]), {}};
                const double radians = angle * kPi / 180.0;
                vertex.args = {static_cast<float>(0.5 * std::cos(radians)),
                               static_cast<float>(0.5 * std::sin(radians))};
                if (vertex.op->args.size() >= 3) {
                    vertex.args.push_back(0.25 * (below(3) - 1));
                }
                if (vertex.op->args.size() == 4) {
                    // The same point with a w of its own: x, y and z times w.
                    static const double kW[] = {1, 2, 0.5};
                    const double w = kW[below(3)];
                    for (double& coordinate : vertex.args) {
                        coordinate *= w;
                    }
                    vertex.args.push_back(w);
                }
                out.push_back(vertex);
                angle += 25 + below(50);
            } else if (roll < 0.8) {
                out.push_back(call(op(kAttributes[below(7)])));
            } else if (roll < 0.9) {
                out.push_back(call(*attributes[static_cast<std::size_t>(
                    below(static_cast<int>(attributes.size())))]));
            } else if (roll < 0.95) {
                out.push_back(call(op("glCallList")));
            } else {
                out.push_back(call(anyOp()));
            }
        }
        if (chance(0.95)) {
            out.push_back(call(op("glEnd")));
        }
    }

    void list(Sequence& out) {
        out.push_back(call(op("glNewList")));
        for (int items = 1 + below(5); items > 0; --items) {
            item(out, false);
        }
        if (chance(0.9)) {
            out.push_back(call(op("glEndList")));
        }
    }

    std::mt19937_64& random_;
};

// The op with the first valid value of every argument.
Call plain(const Op& named) {
    Call made{&named, {}};
    for (const Domain* domain : named.args) {
        if (!domain->wholes.empty()) {
            made.args.insert(made.args.end(), domain->wholes[0].begin(), domain->wholes[0].end());
        } else {
            made.args.insert(made.args.end(), static_cast<std::size_t>(domain->count),
                             domain->valid[0].value);
        }
    }
    return made;
}

Sequence compiled(const Call& call) {
    return parse("glNewList 1 GL_COMPILE\n" + format(call) + "\nglEndList\nglCallList 1\n");
}

Sequence betweenBeginAndEnd(const Call& call) {
    Sequence sequence = parse("glBegin GL_TRIANGLES\nglVertex2f 0 0\n");
    sequence.push_back(call);
    const Sequence end = parse("glVertex2f 0.5 0\nglVertex2f 0 0.5\nglEnd\n");
    sequence.insert(sequence.end(), end.begin(), end.end());
    return sequence;
}

}  // namespace

Sequence generated(std::mt19937_64& random) {
    return Generator(random).sequence();
}

std::vector<Written> edges() {
    std::vector<Written> written;
    for (const Op& named : ops()) {
        const Call call = plain(named);
        written.push_back({format(call), {call}});
        written.push_back({format(call) + ", compiled", compiled(call)});
        written.push_back({format(call) + ", between glBegin and glEnd", betweenBeginAndEnd(call)});
        std::size_t first = 0;
        for (const Domain* domain : named.args) {
            for (const Named& edge : domain->edges) {
                Call edged = call;
                edged.args[first] = edge.value;
                written.push_back({format(edged), {edged}});
                written.push_back({format(edged) + ", compiled", compiled(edged)});
            }
            first += static_cast<std::size_t>(domain->count);
        }
    }
    return written;
}

std::vector<Written> readWritten(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    std::vector<Written> written;
    std::string line;
    std::string text;
    const auto close = [&] {
        if (!written.empty()) {
            written.back().sequence = parse(text);
        }
        text.clear();
    };
    while (std::getline(file, line)) {
        if (line.rfind("## ", 0) == 0) {
            close();
            written.push_back({line.substr(3), {}});
        } else {
            text += line + '\n';
        }
    }
    close();
    return written;
}

Sequence shrink(Sequence sequence, const std::function<bool(const Sequence&)>& fails) {
    for (std::size_t chunk = std::max<std::size_t>(sequence.size() / 2, 1); chunk > 0; chunk /= 2) {
        bool shorter = true;
        while (shorter) {
            shorter = false;
            for (std::size_t start = 0; start < sequence.size();) {
                Sequence candidate = sequence;
                candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(start),
                                candidate.begin() + static_cast<std::ptrdiff_t>(
                                                        std::min(start + chunk, sequence.size())));
                if (fails(candidate)) {
                    sequence = candidate;
                    shorter = true;
                } else {
                    start += chunk;
                }
            }
        }
    }
    return sequence;
}

}  // namespace differential
