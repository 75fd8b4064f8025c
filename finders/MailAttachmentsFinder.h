#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Attachments that Mail saved to disk.
class MailAttachmentsFinder final : public CategoryFinder {
public:
    MailAttachmentsFinder();
    void search() override;
};

} // namespace sorvane
