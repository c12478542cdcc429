#pragma once
// Test support: a recording status sink and a fixture that runs the controller
// simulator on a pseudo-terminal, published in a private port folder.
#include "ConfigStore.h"
#include "DeviceOperation.h"
#include "Simulator.h"
#include "StatusSink.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace krv::test {

struct ShownText {
    QString text;
    StatusColour colour = StatusColour::Black;
    bool keptColour = false; // ShowText: colour unchanged
    bool operator==(const ShownText&) const = default;
};

class RecordingSink : public StatusSink {
public:
    void ShowStatus(const QString& text, StatusColour colour) override
    {
        std::lock_guard lock(m_mutex);
        m_texts.push_back({text, colour, false});
    }
    void ShowText(const QString& text) override
    {
        std::lock_guard lock(m_mutex);
        m_texts.push_back({text, m_texts.empty() ? StatusColour::Black : m_texts.back().colour, true});
    }
    void ShowProgress(int position, int maximum) override
    {
        std::lock_guard lock(m_mutex);
        m_progress.push_back({position, maximum});
    }
    std::vector<ShownText> Texts() const
    {
        std::lock_guard lock(m_mutex);
        return m_texts;
    }
    QStringList Plain() const
    {
        QStringList out;
        for (const auto& t : Texts())
            out << t.text;
        return out;
    }
    ShownText Last() const
    {
        auto t = Texts();
        return t.empty() ? ShownText{} : t.back();
    }
    std::vector<std::pair<int, int>> Progress() const
    {
        std::lock_guard lock(m_mutex);
        return m_progress;
    }
    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_texts.clear();
        m_progress.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<ShownText> m_texts;
    std::vector<std::pair<int, int>> m_progress;
};

inline QString Msg(int index) { return DefaultStatusMessages().at(index); }

// An unpaced simulator published as COMSIM in a temporary port folder.
class SimFixture : public ::testing::Test {
protected:
    void SetUp() override { StartSim({}); }
    void TearDown() override
    {
        if (sim)
            sim->Stop();
        qunsetenv("KRV_PORT_DIR");
    }
    void StartSim(sim::Options options)
    {
        if (sim)
            sim->Stop();
        ASSERT_TRUE(m_dir.isValid());
        qputenv("KRV_PORT_DIR", m_dir.path().toLocal8Bit());
        if (options.alias.empty())
            options.alias = "COMSIM";
        options.paced = false;
        sim = std::make_unique<sim::Simulator>(options);
        ASSERT_TRUE(sim->Start());
    }
    SerialPortFactory Port() const { return QtSerialPortFactory(QStringLiteral("COMSIM")); }
    int Run(int operation, std::span<std::uint8_t> buffer, int area = 0)
    {
        return RunOperation(sink, Port(), operation, buffer, area);
    }
    // Frames received with command `command`.
    int FramesOf(std::uint8_t command) const
    {
        int n = 0;
        for (const auto& f : sim->Received())
            n += f[1] == command;
        return n;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<sim::Simulator> sim;
    RecordingSink sink;
};

} // namespace krv::test

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
