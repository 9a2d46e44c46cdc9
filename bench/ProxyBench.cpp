// Each shape of call through the proxy next to its marshalling floor, with
// logging off and with level 5 on, timed and counted in heap allocations.
// A shape only says how to script the rig and how to make the call both ways;
// everything else is the one harness below. The figures are the counters
// (per call); the time column is that of one batch each way.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AllocationCounter.h"
#include "BenchRig.h"
#include "Floors.h"
#include "LocalMgmtProxy.h"

namespace {

// The proxy comes from its factory and is called through the interface, the
// way a client holding a Proxy* calls it; the floor gets the same channel.
struct Rig {
    explicit Rig(bool level5)
        : logs(level5), owned(createLocalMgmtProxy()), proxy(dynamic_cast<LocalMgmtIfc*>(owned.get())) {
        channel.frameworkContext = &context;
        context.agent = &agent;
        owned->initProxy(channel);
    }

    bench::LogLevels logs;
    bench::BenchChannel channel;
    bench::BenchContext context;
    bench::BenchAgent agent;
    std::unique_ptr<Proxy> owned;
    LocalMgmtIfc* proxy;
};

constexpr LocalMgmtIfc::eFiletype kRinger = LocalMgmtIfc::FILETYPE_RINGER;

struct SetPhoneBusyStatus {
    static constexpr const char* name = "setPhoneBusyStatus";
    explicit SetPhoneBusyStatus(Rig&) {}
    // Nothing comes back from a one-way call; the harness wants a value to compare.
    int proxy(Rig& rig) {
        rig.proxy->setPhoneBusyStatus(3);
        return 0;
    }
    int floor(Rig& rig) {
        floors::setPhoneBusyStatus(rig.channel, 3);
        return 0;
    }
};

struct UploadUserFile {
    static constexpr const char* name = "uploadUserFile";
    explicit UploadUserFile(Rig& rig) { rig.channel.replyInt("result", 0); }
    int proxy(Rig& rig) { return rig.proxy->uploadUserFile(kRinger, filename); }
    int floor(Rig& rig) { return floors::uploadUserFile(rig.channel, kRinger, filename); }
    std::string filename = "ring.wav";
};

struct GetListOfFilesOfType {
    static constexpr const char* name = "getListOfFilesOfType";
    explicit GetListOfFilesOfType(Rig& rig) {
        rig.channel.replyString("FileNames", "[ring1.wav,ring2.wav]", Parameter::INOUT);
    }
    bool proxy(Rig& rig) { return rig.proxy->getListOfFilesOfType(kRinger, &files); }
    bool floor(Rig& rig) { return floors::getListOfFilesOfType(rig.channel, kRinger, &files); }
    std::list<std::string> files{"ring1.wav", "ring2.wav"};
};

// A small object with short keys and values, sent and refilled each call.
struct WithData {
    WithData() {
        data.setValue("tone", "classic");
        data.setValue("volume", "5");
    }
    ManageableData data;
};

struct GetDataRemote : WithData {
    static constexpr const char* name = "getData";
    explicit GetDataRemote(Rig& rig) {
        rig.channel.replyBool("result", true)
            .replyString("manageableData", data.serialize(ManageableData::KEY_VALUE_TEXT), Parameter::INOUT);
    }
    bool proxy(Rig& rig) { return rig.proxy->getData(data); }
    bool floor(Rig& rig) { return floors::getData(rig.channel, nullptr, data); }
};

// The in-process service found through the framework context; the floor is a
// plain virtual call on it. The lookup is made by the warm-up call.
struct GetDataLocal : WithData {
    static constexpr const char* name = "getData_local";
    explicit GetDataLocal(Rig& rig)
        : service(bench::makeInProcessService()), direct(dynamic_cast<LocalMgmtIfc*>(service.get())) {
        rig.context.service = service.get();
        benchmark::DoNotOptimize(direct);
    }
    bool proxy(Rig& rig) { return rig.proxy->getData(data); }
    bool floor(Rig&) { return direct->getData(data); }
    std::unique_ptr<Service> service;
    LocalMgmtIfc* direct;
};

struct ObserveManageableData {
    static constexpr const char* name = "observeManageableData";
    explicit ObserveManageableData(Rig& rig) { rig.channel.replyBool("result", true); }
    bool proxy(Rig& rig) { return rig.proxy->observeManageableData(nodeId, &rig.agent); }
    bool floor(Rig& rig) {
        return floors::observeManageableData(rig.channel, "observeManageableData", "observeData", nodeId, &rig.agent);
    }
    std::string nodeId = "audio.volume";
};

// The same shape with a remote name too long for a string's inline buffer.
struct StopObservingManageableData : ObserveManageableData {
    static constexpr const char* name = "stopObservingManageableData";
    using ObserveManageableData::ObserveManageableData;
    bool proxy(Rig& rig) { return rig.proxy->stopObservingManageableData(nodeId, &rig.agent); }
    bool floor(Rig& rig) {
        return floors::observeManageableData(rig.channel, "stopObservingManageableData", "stopObservingData", nodeId,
                                             &rig.agent);
    }
};

struct StartDownload {
    static constexpr const char* name = "startDownload_10";
    explicit StartDownload(Rig& rig) { rig.channel.replyBool("result", true); }
    bool proxy(Rig& rig) {
        return rig.proxy->startDownload(LocalMgmtIfc::PROTOCOL_HTTPS, port, server, user, password, kRinger,
                                        sourcePath, fileName, true, LocalMgmtIfc::CERTIFICATE_SERVER);
    }
    bool floor(Rig& rig) {
        return floors::startDownload(rig.channel, LocalMgmtIfc::PROTOCOL_HTTPS, port, server, user, password,
                                     kRinger, sourcePath, fileName, true, LocalMgmtIfc::CERTIFICATE_SERVER);
    }
    std::string port = "443", server = "files.local", user = "admin", password = "secret",
                sourcePath = "/ringers", fileName = "ring.wav";
};

using Clock = std::chrono::steady_clock;

// One side of a paired measurement: the time of each of its batches, and the
// allocations its calls made.
struct Side {
    explicit Side(benchmark::IterationCount batches) { batchNs.reserve(static_cast<std::size_t>(batches)); }

    template <class Call>
    void runBatch(Call&& call, std::int64_t batch) {
        const std::uint64_t allocationsBefore = bench::allocationsSoFar();
        const Clock::time_point start = Clock::now();
        for (std::int64_t i = 0; i < batch; ++i) benchmark::DoNotOptimize(call());
        const Clock::time_point end = Clock::now();
        allocations += bench::allocationsSoFar() - allocationsBefore;
        calls += batch;
        batchNs.push_back(std::chrono::duration<double, std::nano>(end - start).count());
    }
    double allocationsPerCall() const { return static_cast<double>(allocations) / static_cast<double>(calls); }

    std::vector<double> batchNs;
    std::uint64_t allocations = 0;
    std::int64_t calls = 0;
};

// The median, so that a batch the scheduler cut in two does not count.
double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The median over batch pairs of compare(proxy batch, floor batch).
template <class Compare>
double pairedMedian(const Side& proxy, const Side& floor, Compare compare) {
    std::vector<double> values(proxy.batchNs.size());
    std::transform(proxy.batchNs.begin(), proxy.batchNs.end(), floor.batchNs.begin(), values.begin(), compare);
    return median(std::move(values));
}

// About 20 us of calls per batch: long enough that reading the clock is lost
// in it, short enough that both sides see the same machine.
template <class Call>
std::int64_t batchFor(Call&& call) {
    constexpr int kProbe = 256;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kProbe; ++i) benchmark::DoNotOptimize(call());
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kProbe;
    return std::clamp<std::int64_t>(static_cast<std::int64_t>(20000.0 / std::max(ns, 0.1)), 16, 1 << 16);
}

// Proxy and floor alternate batch by batch on the same rig, the order flipping
// every iteration, so that a machine shared with builds slows both alike and
// the ratio survives it.
template <class Shape>
void measure(benchmark::State& state, bool level5) {
    Rig rig(level5);
    Shape shape(rig);
    const auto viaProxy = [&] { return shape.proxy(rig); };
    const auto byHand = [&] { return shape.floor(rig); };
    // Warm-up, which also makes the one-time service lookup. An operation that
    // is not there yet is reported instead of measured, and so is a floor
    // that does not send or answer exactly what the proxy does.
    std::string sentByProxy;
    bool sameAnswer = false;
    try {
        rig.channel.transcribe(true);
        const auto answeredByProxy = viaProxy();
        sentByProxy = rig.channel.transcript();
        rig.channel.transcribe(true);
        sameAnswer = byHand() == answeredByProxy;
    } catch (const CorvexException& missing) {
        state.SkipWithError(missing.what());
        return;
    }
    const bool sameRequest = rig.channel.transcript() == sentByProxy;
    rig.channel.transcribe(false);
    if (!sameRequest || !sameAnswer) {
        state.SkipWithError(("the floor differs from the proxy on: " + sentByProxy).c_str());
        return;
    }
    const std::int64_t batch = batchFor(byHand);
    Side proxy(state.max_iterations), floor(state.max_iterations);
    bool proxyFirst = true;
    for (auto _ : state) {
        if (proxyFirst) proxy.runBatch(viaProxy, batch);
        floor.runBatch(byHand, batch);
        if (!proxyFirst) proxy.runBatch(viaProxy, batch);
        proxyFirst = !proxyFirst;
    }
    const double perCall = 1.0 / static_cast<double>(batch);
    state.counters["proxy_ns"] = median(proxy.batchNs) * perCall;
    state.counters["floor_ns"] = median(floor.batchNs) * perCall;
    state.counters["ratio"] = pairedMedian(proxy, floor, std::divides<>());
    state.counters["diff_ns"] = pairedMedian(proxy, floor, std::minus<>()) * perCall;
    state.counters["proxy_allocs"] = proxy.allocationsPerCall();
    state.counters["floor_allocs"] = floor.allocationsPerCall();
    state.counters["batch"] = static_cast<double>(batch);
}

template <class Shape>
void registerShape() {
    for (const bool level5 : {false, true}) {
        const std::string name = std::string(Shape::name) + (level5 ? "/log5" : "/log_off");
        benchmark::RegisterBenchmark(name.c_str(), measure<Shape>, level5)->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerShape<SetPhoneBusyStatus>();
    registerShape<UploadUserFile>();
    registerShape<GetListOfFilesOfType>();
    registerShape<GetDataRemote>();
    registerShape<ObserveManageableData>();
    registerShape<StopObservingManageableData>();
    registerShape<StartDownload>();
    registerShape<GetDataLocal>();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
