// SPDX-License-Identifier: GPL-3.0-or-later
#include "secretstorejob.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcSecrets)

namespace {

// Beside the program in the build tree; in the library folder's
// "keypadmgr" folder once installed.
SecretStoreJobFactory loadFactory()
{
    const QString bin = QCoreApplication::applicationDirPath();
    const QStringList places = {bin, QDir::cleanPath(bin + QLatin1String("/" KEYPAD_MODULE_FROM_BIN))};
    for (const QString &place : places) {
        QLibrary module(place + QLatin1String("/secretstore"));
        if (!module.load())
            continue;
        if (auto factory = reinterpret_cast<SecretStoreJobFactory>(module.resolve(secretStoreJobFactoryName)))
            return factory;
        qCWarning(lcSecrets) << "The secret store module" << module.fileName() << "lacks its entry point";
    }
    qCWarning(lcSecrets) << "No secret store module in" << places << "; passwords are kept for this run only";
    return nullptr;
}

} // namespace

std::unique_ptr<SecretStoreJob> SecretStoreJob::create(Kind kind, const QString &service, const QString &key,
                                                       const QString &text)
{
    // Loaded once, on first use, and kept for the rest of the run.
    static const SecretStoreJobFactory factory = loadFactory();
    return std::unique_ptr<SecretStoreJob>(factory ? factory(kind, service, key, text) : nullptr);
}
