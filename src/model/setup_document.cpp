#include "model/setup_document.h"

#include "model/param_items.h"

namespace quelvar {

SetupDocument::SetupDocument()
{
    resetToFactory();
}

void SetupDocument::TakeReferenceCopy()
{
    m_reference = m_setup;
}

bool SetupDocument::IsSetupChanged() const
{
    return m_setup.description != m_reference.description || m_setup.image != m_reference.image ||
           m_setup.lineComments != m_reference.lineComments ||
           m_setup.functionDescriptions != m_reference.functionDescriptions;
}

bool SetupDocument::IsSetupChanged(std::string_view memoText)
{
    m_setup.description = memoText;
    return IsSetupChanged();
}

void SetupDocument::ClearApplicationText()
{
    m_setup.description.clear();
    m_setup.descriptionKept.fill(0);
    m_setup.lineComments.fill(0);
    m_setup.functionDescriptions.fill(0);
}

void SetupDocument::resetToFactory()
{
    ResetSetupToDefaults(m_setup.image);
    ClearApplicationText();
    TakeReferenceCopy();
}

void SetupDocument::resetToDefaults()
{
    const Setup fileSetup = m_reference;
    resetToFactory();
    if (!m_fileName.empty()) m_reference = fileSetup;
}

SetupReadResult SetupDocument::readFile(const std::string& path)
{
    m_fileName = path;
    SetupReadResult result = readSetupFile(path, m_setup);
    if (!result.opened) return result;
    TakeReferenceCopy();
    if (result.blocks != kSetupBlockCount) {
        ResetSetupToDefaults(m_setup.image);
        ClearApplicationText();
    }
    return result;
}

void SetupDocument::adopt(Setup setup, std::string path)
{
    m_setup = std::move(setup);
    m_fileName = std::move(path);
    TakeReferenceCopy();
}

FileWriteResult SetupDocument::writeFile(const std::string& path)
{
    m_fileName = path;
    FileWriteResult result = writeSetupFile(path, m_setup);
    if (result.ok()) TakeReferenceCopy();
    return result;
}

}  // namespace quelvar
