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
// fractional power of a negative number) is a finding.

#include "FuzzInput.h"

#include "core/UniaxialMaterial.h"
#include "materials/Catalogue.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using looplab::fuzz::ByteReader;

namespace {

constexpr int maxSteps = 4000;
const char* onlyModel = nullptr; ///< LOOPLAB_FUZZ_MODEL: fuzz this model alone
bool trace = false;              ///< LOOPLAB_FUZZ_TRACE: print every trial step
constexpr double amplitudes[] = {1e-4, 1e-3, 5e-3, 2e-2, 0.1, 1.0};
constexpr double doublePool[] = {0.0,  1.0,   -1.0,  0.5,  2.0,   -2.0,   0.1,   -0.1,
                                 10.0, -10.0, 1e-3,  -1e-3, 2e-3, -2e-3,  100.0, 1e3,
                                 -1e3, 2e5,   0.925, 0.15, 20.0,  1e-12,  -1e-12, 1e6};
constexpr int intPool[] = {0, 1, 2, 3, -1, 5, 10, 50, 100, 1000};

struct Parameters {
    looplab::ParameterValues values;
};

double defaultValue(const looplab::ParameterSpec& spec) {
    return std::strtod(std::string(spec.defaultText).c_str(), nullptr);
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
    for (const looplab::ParameterSpec& spec : model.parameters) {
        const double fallback = defaultValue(spec);
        p.values.push_back(spec.type == looplab::ParameterType::Int
                               ? pickInt(in, fallback)
                               : pickDouble(in, fallback));
    }
    return p;
}

void printParameters(const looplab::ModelEntry& model, const Parameters& p, int step,
                     double strain, const char* what, double value) {
    std::fprintf(stderr, "%.*s: %s %g at step %d (strain %.17g), parameters:",
                 static_cast<int>(model.className.size()), model.className.data(), what, value,
                 step, strain);
    for (std::size_t i = 0; i < p.values.size(); ++i) {
        std::fprintf(stderr, " %.*s=%.17g", static_cast<int>(model.parameters[i].name.size()),
                     model.parameters[i].name.data(), p.values[i]);
    }
    std::fprintf(stderr, "\n");
}

[[noreturn]] void reportNonFinite(const looplab::ModelEntry& model, const Parameters& p,
                                  int step, double strain, const char* what, double value) {
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
    // state (see the top of the file).
    void expectFinite(const char* what, double value) {
        if (std::isfinite(value)) {
            return;
        }
        if (std::fetestexcept(FE_OVERFLOW | FE_UNDERFLOW) == 0) {
            reportNonFinite(model, parameters, step, strain, what, value);
        }
        noteRangeFailure(what, value);
    }

    void trial(double e) {
        strain = e;
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
        expectFinite("initial tangent", material->initialTangent());
        double previous = 0.0;
        for (step = 0; step < maxSteps && !in.empty(); ++step) {
            const std::uint8_t op = in.byte();
            const double e = nextStrain(op & 0x0F, in, previous, amplitude);
            switch (op >> 4) {
            case 12: { // a second trial before the commit replaces the first
                trial(e);
                trial(nextStrain(in.byte() & 0x0F, in, e, amplitude));
                material->commit();
                break;
            }
            case 13: // a trial that is dropped
                trial(e);
                material->revertToCommitted();
                continue; // previous stays the committed strain
            case 14:
                material->revertToInitial();
                std::feclearexcept(FE_ALL_EXCEPT);
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
                    strain = e;
                    material->applyTrialStrainAndRespond(e, stress, tangent, 0.0);
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
    void noteRangeFailure(const char* what, double value) const {
        static bool printed[64] = {};
        const std::size_t index =
            static_cast<std::size_t>(&model - looplab::modelCatalogue().data()) % 64;
        if (!printed[index]) {
            printed[index] = true;
            std::fprintf(stderr, "tolerated range failure, ");
            printParameters(model, parameters, step, strain, what, value);
        }
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
