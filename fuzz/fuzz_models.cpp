// Every model of the catalogue driven through a fuzzer-chosen strain sequence.
//
// Input: byte 0 picks the model, byte 1 the strain amplitude; then per parameter a selector
// byte (default, a value from a small pool, a bounded decimal value, or any finite double /
// any int) and its bytes; then up to maxSteps steps of an operation byte and two strain bytes.
//
// Parameters the model's check refuses end the run. With accepted parameters every stress and
// tangent must be finite, with one exception: once the model's arithmetic has left the double
// range (the overflow or underflow flag is raised, as by a power of a large strain ratio to a
// large exponent, or a power that rounds to zero and is then divided by) it may answer Inf or
// NaN, until revertToInitial. Such range failures are properties of the models' algorithms,
// not undefined arithmetic; the first one of each model is printed and the run goes on. A
// non-finite answer without one (0/0, a division by an exact zero, a logarithm or a
// fractional power of a negative number) is a finding, except where a model's algorithm
// itself divides by zero in states that legitimate parameters reach (knownProperties below),
// and except for parameters of extreme magnitude (a non-zero value below 1e-9 or above 1e10 in
// magnitude, which only the raw doubles give): there rounding and cancellation make exact
// zeros without raising a range flag. After a tolerated non-finite answer the material's state
// may hold it, so the rest of the run up to revertToInitial is not judged.

#include "FuzzInput.h"

#include "core/UniaxialMaterial.h"
#include "materials/Catalogue.h"
#include "materials/concrete/Concrete07.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using looplab::fuzz::ByteReader;

namespace {

constexpr int maxSteps = 4000;
const char* onlyModel = nullptr; ///< LOOPLAB_FUZZ_MODEL: fuzz this model alone
bool trace = false;              ///< LOOPLAB_FUZZ_TRACE: print every trial step
constexpr double amplitudes[] = {1e-4, 1e-3, 5e-3, 2e-2, 0.1, 1.0};
constexpr double doublePool[] = {0.0,  1.0,   -1.0,  0.5,   2.0,  -2.0,  0.1,   -0.1,
                                 10.0, -10.0, 1e-3,  -1e-3, 2e-3, -2e-3, 100.0, 1e3,
                                 -1e3, 2e5,   0.925, 0.15,  20.0, 1e-9,  -1e-9, 1e6};
constexpr int intPool[] = {0, 1, 2, 3, -1, 5, 10, 50, 100, 1000};

struct Parameters {
    looplab::ParameterValues values;
    bool extreme = false; ///< some value is non-zero and below 1e-9 or above 1e10 in magnitude
};

double defaultValue(const looplab::ParameterSpec& parameter) {
    return std::strtod(std::string(parameter.defaultText).c_str(), nullptr);
}

// sign · m · 10^e with m in [1, 10) and e in [-9, 9].
double boundedValue(ByteReader& in) {
    const std::uint8_t shape = in.byte();
    const double mantissa = 1.0 + 9.0 * in.u16() / 65536.0;
    const double value = mantissa * std::pow(10.0, static_cast<int>(shape % 19) - 9);
    return (shape & 0x80) != 0 ? -value : value;
}

double pickDouble(ByteReader& in, double fallback) {
    const std::uint8_t selector = in.byte();
    if (selector < 112) {
        return fallback;
    }
    if (selector < 160) {
        return doublePool[selector % std::size(doublePool)];
    }
    if (selector < 176) {
        // The default scaled or mirrored.
        constexpr double factors[] = {-1.0, 2.0, 0.5, -0.5, 10.0, 0.1, 1.0 + 1e-9, 1.0 - 1e-9};
        return fallback * factors[selector % std::size(factors)];
    }
    if (selector < 248) {
        return boundedValue(in);
    }
    const double raw = in.rawDouble();
    return std::isfinite(raw) ? raw : fallback; // no text converts to a non-finite value
}

double pickInt(ByteReader& in, double fallback) {
    const std::uint8_t selector = in.byte();
    if (selector < 112) {
        return fallback;
    }
    if (selector < 224) {
        return intPool[selector % std::size(intPool)];
    }
    if (selector < 248) {
        return static_cast<int>(in.u16() % 20001) - 1000;
    }
    return static_cast<std::int32_t>(in.u32());
}

Parameters pickParameters(ByteReader& in, const looplab::ModelEntry& model) {
    Parameters p;
    for (const looplab::ParameterSpec& parameter : model.parameters) {
        const double fallback = defaultValue(parameter);
        p.values.push_back(parameter.type == looplab::ParameterType::Int ? pickInt(in, fallback)
                                                                    : pickDouble(in, fallback));
        const double magnitude = std::fabs(p.values.back());
        if (magnitude != 0.0 && (magnitude < 1e-9 || magnitude > 1e10)) {
            p.extreme = true;
        }
    }
    return p;
}

void printParameters(const looplab::ModelEntry& model, const Parameters& p, int step, double strain,
                     const char* what, double value) {
    std::fprintf(stderr, "%.*s: %s %g at step %d (strain %.17g), parameters:",
                 static_cast<int>(model.className.size()), model.className.data(), what, value,
                 step, strain);
    for (std::size_t i = 0; i < p.values.size(); ++i) {
        std::fprintf(stderr, " %.*s=%.17g", static_cast<int>(model.parameters[i].name.size()),
                     model.parameters[i].name.data(), p.values[i]);
    }
    std::fprintf(stderr, "\n");
}

// What was driven since the material was built or last reverted to its initial state.
struct DrivenHistory {
    double least = 0.0;          ///< smallest trial strain
    double greatest = 0.0;       ///< largest trial strain
    bool zeroAfterTrial = false; ///< a trial at strain 0 followed another trial, then commit
    bool tinyStep = false;       ///< a trial moved the strain, by 1e-12 or less
};

// A state in which a model's algorithm divides by zero with parameters its check rightly
// accepts: non-finite answers are tolerated there (and printed once).
struct KnownProperty {
    std::string_view model;
    bool (*applies)(const looplab::UniaxialMaterial&, const looplab::ParameterValues&,
                    const DrivenHistory&, double nonFinite);
    const char* what;
};

const KnownProperty knownProperties[] = {
    // The same collapse as SteelMPF's below: a curvature R0·(1 - CR1) under 1/20 flattens a
    // branch onto the hardening line through its reversal point, and a yield strain Fy/E below
    // 1e-12 is lost in rounding; a later branch then starts on its own asymptote intersection.
    // Any decrease or increase of the strain, however small, starts a new branch: a reversal
    // of a few units in the last place from a point on a hardening asymptote leaves the stress
    // on it, and the reversal back then starts on its own asymptote intersection as well.
    {"Steel02",
     [](const looplab::UniaxialMaterial&, const looplab::ParameterValues& v, const DrivenHistory& h,
        double) {
         return h.tinyStep || v[3] * (1.0 - v[4]) < 0.05 || std::fabs(v[0] / v[1]) < 1e-12;
     },
     "a curvature near zero or a yield strain lost in rounding puts a reversal point on the "
     "next branch's asymptote intersection"},
    // Branch curves are normalised by the strain from the reversal point to the intersection of
    // the elastic line with the hardening asymptote of the new direction. With bp != bn the two
    // hardening asymptotes are not parallel; near and past where they cross, a reversal point
    // can lie behind that intersection and the curve raises a negative strain ratio to the
    // power R.
    // The same happens after a trial at strain exactly 0 that follows another trial: by design
    // it returns at once, keeping the earlier trial's strain and stress over the committed
    // history, and committing that mixture misplaces the next branch. And when the curvature
    // R = R0·(1 - cR1·xi/(cR2 + xi)) can fall below about 1/20 (R0·(1 - cR1) < 0.05), the
    // factor (1 + x^R)^(1/R) grows so large that a branch collapses in rounding onto the
    // hardening line through its reversal point; a reversal from there starts on the next
    // branch's own asymptote, and its strain span is zero.
    // Finally, a yield strain below 1e-12 is lost in the rounding of ordinary strains, and
    // asymptote intersections then coincide with reversal points. Beyond these, a strain within
    // rounding of a reversal point gives a normalised strain of about -1e-13, and the
    // non-integer power of it is NaN too (for previous branches the algorithm expects this): a
    // NaN is therefore always taken as this property, and only an infinite answer, a division
    // by zero, remains a finding.
    {"SteelMPF",
     [](const looplab::UniaxialMaterial&, const looplab::ParameterValues& v, const DrivenHistory& h,
        double nonFinite) {
         return std::isnan(nonFinite) || h.zeroAfterTrial || v[3] != v[4] ||
                v[5] * (1.0 - v[6]) < 0.05 || std::fmin(v[0], v[1]) / v[2] < 1e-12;
     },
     "a reversal point behind or on the new branch's asymptote intersection (hardening "
     "asymptotes that cross, a committed skipped trial, or a curvature near zero) gives a "
     "negative or undefined normalised strain"},
    // The transition rules divide, unguarded, by the unloading quantities: the strain between an
    // unloading point and its plastic strain (zero when the unloading point carries zero or
    // negligible stress: past the zero of an envelope, on a steep fall near it, or still unset
    // at (0, 0)), the strain span of a straight branch, the denominators of the return strains.
    // Histories with default parameters reach such states, so a non-finite answer on a
    // transition rule is tolerated; the envelopes (rules 1, 2, 5, 6) depend on the parameters
    // alone and must stay finite. A shape factor Ec·ec/fc or Ec·et/ft below 1e-12 loses Tsai's
    // denominator near the peak in rounding.
    {"Concrete07",
     [](const looplab::UniaxialMaterial& m, const looplab::ParameterValues&, const DrivenHistory&,
        double) {
         const auto& c = dynamic_cast<const looplab::Concrete07&>(m);
         if (std::fabs(c.compressionN()) < 1e-12 || std::fabs(c.tensionN()) < 1e-12) {
             return true;
         }
         const int rule = c.currentRule();
         return rule != 1 && rule != 2 && rule != 5 && rule != 6;
     },
     "a transition rule divides by a zero unloading quantity"},
    // Without pinching the reloading line ends exactly at its target, the extreme strain scaled
    // by 1 + damage, and a negative damage makes its last segment 0/0. The energy part of the
    // damage, damage2 times the dissipated energy, turns negative when that energy (a
    // trapezoidal sum over the steps) is negative at a reversal, as coarse steps can make it.
    {"HystereticMaterial",
     [](const looplab::UniaxialMaterial&, const looplab::ParameterValues& v, const DrivenHistory&,
        double) { return v[12] == 1.0 && v[13] == 1.0 && v[15] > 0.0; },
     "a negative dissipated energy makes the damage negative, and reloading without pinching "
     "divides 0/0"},
};

const KnownProperty* knownPropertyOf(std::string_view model) {
    for (const KnownProperty& k : knownProperties) {
        if (k.model == model) {
            return &k;
        }
    }
    return nullptr;
}

[[noreturn]] void reportNonFinite(const looplab::ModelEntry& model, const Parameters& p, int step,
                                  double strain, const char* what, double value) {
    std::fprintf(stderr, "non-finite answer without a range failure, ");
    printParameters(model, p, step, strain, what, value);
    std::abort();
}

class Driver {
  public:
    Driver(const looplab::ModelEntry& model, const Parameters& p,
           std::unique_ptr<looplab::UniaxialMaterial> material)
        : model(model), parameters(p), material(std::move(material)) {}

    // Called after each operation on the material: a non-finite value is tolerated only after
    // an overflow or underflow since the material was built or last reverted to its initial
    // state, with a parameter of extreme magnitude, or in a known property of the model's
    // algorithm (see the top of the file); otherwise it aborts the run as a finding.
    void expectFinite(const char* what, double value) {
        if (std::isfinite(value) || poisoned) {
            return;
        }
        if (std::fetestexcept(FE_OVERFLOW | FE_UNDERFLOW) != 0) {
            noteTolerated("range failure", what, value);
            return;
        }
        if (parameters.extreme) {
            noteTolerated("extreme parameter magnitude", what, value);
            return;
        }
        if (known != nullptr && known->applies(*material, parameters.values, range, value)) {
            noteTolerated(known->what, what, value);
            return;
        }
        reportNonFinite(model, parameters, step, strain, what, value);
    }

    void trial(double e) {
        const double moved = std::fabs(e - material->currentStrain());
        range.tinyStep = range.tinyStep || (moved > 0.0 && moved <= 1e-12);
        strain = e;
        range.least = std::fmin(range.least, e);
        range.greatest = std::fmax(range.greatest, e);
        material->applyTrialStrain(e, 0.0);
        if (trace) {
            std::fprintf(stderr, "step %d: strain %.17g stress %.17g tangent %.17g\n", step, e,
                         material->currentStress(), material->currentTangent());
        }
        expectFinite("stress", material->currentStress());
        expectFinite("tangent", material->currentTangent());
        expectFinite("strain", material->currentStrain());
    }

    void run(ByteReader& in, double amplitude) {
        constructionRangeFlags = std::fetestexcept(FE_OVERFLOW | FE_UNDERFLOW);
        expectFinite("initial tangent", material->initialTangent());
        double previous = 0.0;
        for (step = 0; step < maxSteps && !in.empty(); ++step) {
            const std::uint8_t op = in.byte();
            const double e = nextStrain(op & 0x0F, in, previous, amplitude);
            switch (op >> 4) {
            case 12: { // a second trial before the commit replaces the first
                trial(e);
                const double second = nextStrain(in.byte() & 0x0F, in, e, amplitude);
                trial(second);
                material->commit();
                range.zeroAfterTrial = range.zeroAfterTrial || second == 0.0;
                break;
            }
            case 13: // a trial that is dropped
                trial(e);
                material->revertToCommitted();
                if (trace) {
                    std::fprintf(stderr, "step %d: reverted to committed\n", step);
                }
                continue; // previous stays the committed strain
            case 14:
                material->revertToInitial();
                // Derived constants the constructor let overflow stay with the material.
                std::feclearexcept(FE_ALL_EXCEPT);
                if (constructionRangeFlags != 0) {
                    std::feraiseexcept(constructionRangeFlags);
                }
                range = DrivenHistory{};
                poisoned = false;
                trial(e);
                material->commit();
                break;
            case 15: { // continue on a clone; the original takes one more step of its own
                std::unique_ptr<looplab::UniaxialMaterial> copy = material->clone();
                trial(e);
                material->commit();
                material = std::move(copy);
                expectFinite("clone's initial tangent", material->initialTangent());
                trial(e);
                material->commit();
                break;
            }
            default: {
                double stress = 0.0, tangent = 0.0;
                if ((op & 0x40) != 0) {
                    const double moved = std::fabs(e - material->currentStrain());
                    range.tinyStep = range.tinyStep || (moved > 0.0 && moved <= 1e-12);
                    strain = e;
                    range.least = std::fmin(range.least, e);
                    range.greatest = std::fmax(range.greatest, e);
                    material->applyTrialStrainAndRespond(e, stress, tangent, 0.0);
                    if (trace) {
                        std::fprintf(stderr, "step %d: strain %.17g stress %.17g (respond)\n", step,
                                     e, material->currentStress());
                    }
                    expectFinite("stress", material->currentStress());
                    expectFinite("tangent", material->currentTangent());
                } else {
                    trial(e);
                }
                material->commit();
                break;
            }
            }
            previous = material->currentStrain();
        }
    }

  private:
    // Prints the first tolerated non-finite answer of each model and reason. The material's
    // state may now hold the value, so later non-finite answers are its consequences and are
    // tolerated too, until revertToInitial.
    void noteTolerated(const char* reason, const char* what, double value) {
        poisoned = true;
        static std::vector<std::string> printed;
        std::string key = std::string(model.className) + ": " + reason;
        for (const std::string& p : printed) {
            if (p == key) {
                return;
            }
        }
        printed.push_back(std::move(key));
        std::fprintf(stderr, "tolerated (%s), ", reason);
        printParameters(model, parameters, step, strain, what, value);
    }

    static double nextStrain(int kind, ByteReader& in, double previous, double amplitude) {
        switch (kind) {
        case 10:
            return previous + 1e-17; // below the models' increment tolerance
        case 11:
            return previous - 3e-16; // just above it
        case 12:
            return previous;
        case 13:
            return 0.0;
        case 14:
            return previous + amplitude * static_cast<std::int8_t>(in.byte()) / 1270.0;
        default:
            return amplitude * static_cast<std::int16_t>(in.u16()) / 32767.0;
        }
    }

    const looplab::ModelEntry& model;
    const Parameters& parameters;
    std::unique_ptr<looplab::UniaxialMaterial> material;
    int step = 0;
    double strain = 0.0;
    DrivenHistory range;
    int constructionRangeFlags = 0;
    bool poisoned = false; ///< a non-finite answer was tolerated since the last revertToInitial
    const KnownProperty* known = knownPropertyOf(model.className);
};

} // namespace

// Aids for working on a finding: LOOPLAB_FUZZ_MODEL=<class name> skips every other model;
// LOOPLAB_FUZZ_TRAP=1 turns invalid operations and divisions by zero into SIGFPE, so the
// sanitizer's stack trace points at the operation that made the first NaN or Inf;
// LOOPLAB_FUZZ_TRACE=1 prints every trial step.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    onlyModel = std::getenv("LOOPLAB_FUZZ_MODEL");
    if (const char* t = std::getenv("LOOPLAB_FUZZ_TRACE"); t != nullptr && *t == '1') {
        trace = true;
    }
    if (const char* trap = std::getenv("LOOPLAB_FUZZ_TRAP"); trap != nullptr && *trap == '1') {
        feenableexcept(FE_INVALID | FE_DIVBYZERO);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<looplab::ModelEntry>& catalogue = looplab::modelCatalogue();
    ByteReader in(data, size);
    const looplab::ModelEntry& model = catalogue[in.byte() % catalogue.size()];
    const double amplitude = amplitudes[in.byte() % std::size(amplitudes)];
    if (!model.available() || (onlyModel != nullptr && model.className != onlyModel)) {
        return 0;
    }
    const Parameters parameters = pickParameters(in, model);
    if (!model.check(parameters.values).empty()) {
        return 0;
    }
    std::feclearexcept(FE_ALL_EXCEPT);
    Driver driver(model, parameters, model.factory(0, parameters.values));
    driver.run(in, amplitude);
    return 0;
}
