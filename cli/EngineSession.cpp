#include "EngineSession.h"

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
    void cleanerDidFinishCleaning() override { finish(); }

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

void EngineSession::search() {
    waiter_->run([this] { return cleaner_->startSearch(); });
}

void EngineSession::clean() {
    waiter_->run([this] { return cleaner_->startCleaning(); });
}

} // namespace sorvane::cli
