#include "gui/shell/QtSettingsBackend.h"

#include <limits>

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

// One group of the settings. Closing the key writes the changes through.
class QtSettingsKey final : public settings::SettingsKey {
public:
    QtSettingsKey(QSettings& settings, QString group)
        : m_settings(settings), m_prefix(std::move(group) + QLatin1Char('/')) {}
    ~QtSettingsKey() override { m_settings.sync(); }

    std::optional<std::uint32_t> readDword(std::string_view name) override {
        const QVariant v = value(name);
        if (!v.isValid() || v.typeId() == QMetaType::QByteArray) {
            return std::nullopt;
        }
        // INI files keep numbers as text; accept what a 32-bit value can be, signed or not.
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (!ok || n < std::numeric_limits<std::int32_t>::min() ||
            n > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(n);
    }
    void writeDword(std::string_view name, std::uint32_t value) override {
        m_settings.setValue(key(name), QVariant::fromValue<quint32>(value));
    }
    std::optional<std::string> readString(std::string_view name) override {
        const QVariant v = value(name);
        if (!v.isValid() || v.typeId() == QMetaType::QByteArray ||
            v.typeId() == QMetaType::QStringList) {
            return std::nullopt;
        }
        return v.toString().toStdString();
    }
    void writeString(std::string_view name, std::string_view value) override {
        m_settings.setValue(key(name), toQString(value));
    }
    std::optional<settings::Bytes> readBinary(std::string_view name) override {
        const QVariant v = value(name);
        if (v.typeId() != QMetaType::QByteArray) {
            return std::nullopt;
        }
        const QByteArray bytes = v.toByteArray();
        return settings::Bytes(bytes.begin(), bytes.end());
    }
    void writeBinary(std::string_view name, const settings::Bytes& value) override {
        m_settings.setValue(key(name), QByteArray(reinterpret_cast<const char*>(value.data()),
                                                  static_cast<qsizetype>(value.size())));
    }

private:
    QString key(std::string_view name) const { return m_prefix + toQString(name); }
    QVariant value(std::string_view name) const { return m_settings.value(key(name)); }

    QSettings& m_settings;
    QString m_prefix;
};

// Key paths use backslashes as on Windows; QSettings groups use slashes.
QString groupOf(std::string_view path) {
    QString group = toQString(path);
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/'))) {
        group.chop(1);
    }
    return group;
}

}  // namespace

QtSettingsBackend::QtSettingsBackend()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Linkhaven"),
                 QStringLiteral("Linkhaven")) {}

QtSettingsBackend::QtSettingsBackend(const QString& iniPath)
    : m_settings(iniPath, QSettings::IniFormat) {}

std::unique_ptr<settings::SettingsKey> QtSettingsBackend::openKey(std::string_view path,
                                                                  bool create) {
    const QString group = groupOf(path);
    if (group.isEmpty()) {
        return nullptr;
    }
    if (!create) {
        // A group exists when it holds a value.
        m_settings.beginGroup(group);
        const bool exists = !m_settings.allKeys().isEmpty();
        m_settings.endGroup();
        if (!exists) {
            return nullptr;
        }
    }
    return std::make_unique<QtSettingsKey>(m_settings, group);
}

std::optional<std::string> QtSettingsBackend::readUserString(std::string_view keyPath,
                                                             std::string_view name) {
#ifdef Q_OS_WIN
    QSettings user(QStringLiteral("HKEY_CURRENT_USER\\") + toQString(keyPath),
                   QSettings::NativeFormat);
    const QVariant v = user.value(toQString(name));
    if (v.isValid()) {
        return v.toString().toStdString();
    }
#else
    (void)keyPath;
    (void)name;
#endif
    return std::nullopt;
}

}  // namespace lh::gui
