#include "EngineSession.h"

#include "Interrupts.h"

#include <QEventLoop>

namespace sorvane::cli {

// Ends the event loop when the engine reports that its work is done.
class EngineSession::Waiter final : public DiskCleanerDelegate {
public:
    void run(const std::function<StartOutcome()>& start) {
        finished_ = false;
        // A refused start reports no end to wait for.
        if (start().isStarted() && !finished_) {
            loop_.exec();
        }
    }

    void cleanerDidStartSearch() override {}
    void cleanerDidFinishSearch() override { finish(); }
    void cleanerDidUpdateSelectedSize(std::uint64_t /*size*/) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& /*result*/) override {}
    void cleanerDidUpdateProgress(float /*progress*/) override {}
    void cleanerDidStartCleaning() override {}
    void cleanerDidSummarizeCleaning(const CleaningSummary& summary) override {
        summary_ = summary;
    }
    void cleanerDidFinishCleaning() override { finish(); }

    CleaningSummary summary_;
    bool interrupted_ = false;

private:
    void finish() {
        finished_ = true;
        loop_.quit();
    }

    QEventLoop loop_;
    bool finished_ = false;
};

EngineSession::EngineSession(CategoryList categories)
    : categories_(std::move(categories))
    , cleaner_(DiskCleaner::create(categories_))
    , waiter_(std::make_shared<Waiter>()) {
    cleaner_->setDelegate(waiter_);
}

EngineSession::~EngineSession() {
    cleaner_->stop();
}

void EngineSession::setOlderThanDays(int days) {
    cleaner_->setOlderThanDays(days);
}

void EngineSession::search() {
    waiter_->run([this] { return cleaner_->startSearch(); });
}

void EngineSession::clean() {
    // The engine is told on the main thread, never from the handler.
    const Interrupts interrupts([this] { cleaner_->cancel(); });
    waiter_->run([this] { return cleaner_->startCleaning(); });
    waiter_->interrupted_ = interrupts.caught();
}

const CleaningSummary& EngineSession::summary() const {
    return waiter_->summary_;
}

bool EngineSession::interrupted() const {
    return waiter_->interrupted_;
}

} // namespace sorvane::cli
