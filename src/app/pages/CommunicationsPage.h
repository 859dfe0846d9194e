#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class CatalogueLayout;
class CfgScript;
class QLineEdit;

// The Communications tab: console and message keys of the catalogue, and five message slots,
// each a key and the text it says. A slot is written as the alias "message<N>" that says the
// text and the key bound to it, and read back from them.
class CommunicationsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int MessageSlots = 5;

    CommunicationsPage(CatalogueLayout& settings, QWidget* parent);

    QLineEdit* messageKey(int slot) const { return keys_[static_cast<size_t>(slot)]; }
    QLineEdit* messageText(int slot) const { return texts_[static_cast<size_t>(slot)]; }

    // Each slot reads the alias that says its text and the last key bound to it (an earlier one
    // keeps its line, which a save writes before the slot's), and takes both from the script; a
    // slot the file does not fill is emptied. Returns the keys taken.
    QStringList readMessages(CfgScript& script);
    // Each slot with a key: the alias that says the message, and the key bound to it.
    void writeMessages(QStringList& lines) const;

private:
    std::array<QLineEdit*, MessageSlots> keys_{};
    std::array<QLineEdit*, MessageSlots> texts_{};
};
