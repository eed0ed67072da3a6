#pragma once
// A transfer engine wired to fakes, its callbacks and the port's operations in one event list.
#include "FakeLink.h"
#include "LinkHelpers.h"
#include "link/Protocol.h"
#include "link/TransferEngine.h"

namespace corvane::test {

struct TransferRig {
    explicit TransferRig(const MemoryImage &radioMemory = MemoryImage::newImage(), const RadioFaults &faults = {})
        : radio(radioMemory, faults)
    {
        port.events = &events;
        progress.events = &events;
        clock.events = &events;
        port.AttachRadio(radio);
    }

    TransferCallbacks Callbacks()
    {
        TransferCallbacks cb;
        cb.commitPendingEdit = [this] { events.push_back("commitPendingEdit"); };
        cb.commitToImage = [this] { events.push_back("commitToImage"); };
        cb.refreshFromImage = [this] { events.push_back("refreshFromImage"); };
        cb.clearNewDocumentFlag = [this] { events.push_back("clearNewDocumentFlag"); };
        cb.pump = [this] {
            events.push_back("pump");
            const bool cancel = ++passes >= cancelAtPass && cancelAtPass > 0;
            if (cancel)
                eventsAtCancel = events.size();
            return cancel;
        };
        cb.commErrorPrompt = [this] {
            events.push_back("prompt");
            const std::size_t i = static_cast<std::size_t>(prompts++);
            return i < answers.size() ? answers[i] : PromptAnswer::Cancel;
        };
        cb.showMessage = [this](int id) { events.push_back("message " + std::to_string(id)); };
        cb.closeProgressDialog = [this] { events.push_back("closeProgressDialog"); };
        cb.progress = &progress;
        return cb;
    }

    Result Run(bool write, const QString &name = QStringLiteral("com1"))
    {
        TransferEngine engine(port, clock, image, Callbacks());
        engine.SetWrite(write);
        return engine.Run(name);
    }

    int WakeUps() const { return port.Count("write 41"); } // the last wake-up byte 'A'

    // The events that are not port traffic, pump passes or pauses.
    std::vector<std::string> Milestones() const
    {
        std::vector<std::string> out;
        for (const std::string &e : events) {
            bool traffic = false;
            for (const char *p : {"pump", "sleep ", "purge ", "write ", "read "})
                traffic = traffic || e.rfind(p, 0) == 0;
            if (!traffic)
                out.push_back(e);
        }
        return out;
    }

    std::vector<std::string> events;
    FakeClock clock;
    FakePort port{clock};
    FakeProgress progress;
    MemoryImage image = MemoryImage::newImage();
    VirtualRadio radio;
    int passes = 0;
    int cancelAtPass = 0;
    std::size_t eventsAtCancel = 0;
    std::vector<PromptAnswer> answers;
    int prompts = 0;
};

} // namespace corvane::test
