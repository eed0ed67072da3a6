// The transfer fault soak: 200 seeded runs of corvane-cli read, write and
// write --verify against faulty virtual radios on pseudo-terminals, checked
// for exit status, files, the radio's memory and what the program says.
//   CORVANE_SOAK_SEED=N   another draw (the seed is printed at every run)
//   CORVANE_SOAK_COUNT=N  another number of transfers
//   CORVANE_SOAK_CASE=I   only transfer I of the draw, e.g. to repeat a failure
#include "QtAppEnvironment.h"
#include "SoakRunner.h"

#include "app/LanguageBundle.h"
#include "link/LinkStrings.h"

#include <QFileInfo>
#include <iostream>
#include <map>

using namespace corvane;
using namespace corvane::test;

namespace {

constexpr uint64_t kDefaultSeed = 16016;
constexpr int kDefaultCount = 200;
constexpr int kBusy = 12; // keeps two cores busy while transfers wait for their lines

uint64_t EnvNumber(const char *name, uint64_t fallback)
{
    bool ok = false;
    const uint64_t v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

// Empty when equal, else where the first difference is (not 8 KB of bytes).
std::string Differs(const QByteArray &got, const QByteArray &want)
{
    if (got.size() != want.size())
        return "size " + std::to_string(got.size()) + " instead of " + std::to_string(want.size());
    for (int i = 0; i < got.size(); ++i)
        if (got[i] != want[i])
            return "first difference at " + SoakCase::Hex(i, 4).toStdString();
    return {};
}

// The files the run left: a write's image file, a read's output file.
void CheckFiles(const SoakCase &c, const SoakExpect &e, const SoakRun &r, const QString &dir)
{
    struct Kept {
        QString path;
        const MemoryImage *bytes = nullptr;
        const char *why = "";
    } kept;
    if (c.Writes())
        kept = {SoakRunner::ImagePath(dir), &c.image, "a write changed its image file"};
    else if (e.status == Exit::Ok)
        kept = {SoakRunner::OutputPath(dir), &c.radio, "the file is not the radio's memory"};
    else if (c.outputExists)
        kept = {SoakRunner::OutputPath(dir), &c.older, "a failed read changed the file"};
    QStringList files{QStringLiteral("stderr.txt")};
    if (kept.bytes) {
        files << QFileInfo(kept.path).fileName();
        EXPECT_EQ(Differs(FileBytes(kept.path), Bytes(*kept.bytes)), "") << kept.why;
    }
    files.sort();
    EXPECT_EQ(r.files.join(' ').toStdString(), files.join(' ').toStdString()) << "files left in the folder";
}

// What the radio holds, and what the program named.
void CheckRadioAndMessages(const SoakCase &c, const SoakExpect &e, const SoakRun &r, const LanguageBundle &en)
{
    if (c.fault == SoakFault::Cancel && c.Writes()) {
        // Stopped after the block it was moving: a first part of the image.
        const int held = WrittenPrefix(c, r.radio);
        EXPECT_GE(held, c.cancelAfter) << "the radio does not hold the blocks written before Ctrl+C";
        EXPECT_LT(held, int(WriteOrder().size()));
    } else {
        EXPECT_EQ(Differs(Bytes(r.radio), Bytes(e.radio)), "") << "the radio's memory";
    }
    const int message = e.status == Exit::Comm ? Ids::CommError
                        : e.status == Exit::Interrupted && e.mismatchBytes == 0 ? Ids::ProgramInterrupt
                                                                                : 0;
    if (message) {
        EXPECT_TRUE(r.err.contains(en.String(message) + "\n  ")) << "the message for the failure";
        EXPECT_TRUE(r.err.contains("  Port: " + r.port + "\n")) << "the port is not named";
    }
    EXPECT_TRUE(e.status != Exit::Cancelled || r.err.contains("cancelled\n")) << "Ctrl+C is not said";
    EXPECT_EQ(r.err.contains(en.String(Ids::PartlyWritten)), e.partlyWritten) << "the note on a partly written radio";
    if (e.failAddress >= 0) {
        EXPECT_TRUE(r.err.contains(SoakCase::Hex(e.failAddress, 4))) << "the failed block is not named";
    }
    if (e.mismatchBytes > 0) {
        EXPECT_TRUE(r.err.contains(QStringLiteral("verify failed: %1 bytes differ").arg(e.mismatchBytes)));
        int named = 0; // the first differing offsets are named
        for (int a : WriteOrder())
            for (int k = a; k < a + 8 && named < 8; ++k)
                if (r.radio[k] != c.image[k] && ++named)
                    EXPECT_TRUE(r.err.contains(SoakCase::Hex(k, 4) + QStringLiteral(": sent "))) << k;
    }
}

TEST(TransferSoak, EveryFaultEndsAsItMust)
{
    const uint64_t seed = EnvNumber("CORVANE_SOAK_SEED", kDefaultSeed);
    std::vector<SoakCase> cases = DrawSoak(seed, int(EnvNumber("CORVANE_SOAK_COUNT", kDefaultCount)));
    if (qEnvironmentVariableIsSet("CORVANE_SOAK_CASE")) {
        const std::size_t only = EnvNumber("CORVANE_SOAK_CASE", 0);
        ASSERT_LT(only, cases.size());
        cases = {cases[only]};
    }
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English")));
    std::cout << "transfer soak: seed " << seed << " (CORVANE_SOAK_SEED), " << cases.size() << " transfers, "
              << kBusy << " at a time besides the silent radios\n";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const SoakRunner runner(folder.path());
    QElapsedTimer timer;
    timer.start();
    const std::vector<SoakRun> runs = runner.RunAll(cases, kBusy);
    const double seconds = timer.elapsed() / 1000.0;

    std::map<int, int> byStatus;
    const auto parts = [] {
        return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    };
    double longest = 0;
    int failed = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const SoakCase &c = cases[i];
        const SoakRun &r = runs[i];
        SCOPED_TRACE(QStringLiteral("transfer %1: %2; repeat with CORVANE_SOAK_SEED=%3 CORVANE_SOAK_CASE=%1")
                         .arg(c.index).arg(c.Describe()).arg(seed).toStdString());
        const int before = parts();
        const SoakExpect e = Expect(c);
        ++byStatus[r.status];
        longest = std::max(longest, r.seconds);
        EXPECT_EQ(r.status, e.status) << r.note.toStdString() << "\n" << r.err.toStdString();
        CheckFiles(c, e, r, runner.Dir(c));
        CheckRadioAndMessages(c, e, r, en);
        failed += parts() > before ? 1 : 0;
    }
    std::cout << "transfer soak: " << cases.size() << " transfers in " << seconds << " s (longest " << longest
              << " s), " << failed << " failed their checks\n";
    for (const auto &[status, n] : byStatus)
        std::cout << "  exit " << status << ": " << n << "\n";
}

} // namespace
