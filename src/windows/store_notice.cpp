#include "windows/store_notice.h"

#include <QMessageBox>
#include <QPointer>

#include "life/life_clock.h"
#include "windows/held_keys.h"
#include "windows/secondary_windows.h"

namespace gribo::windows {
namespace {

QPointer<QMessageBox> failureBox;

QMessageBox* notice(QMessageBox::Icon icon, const char* name, const QString& text, const QString& details) {
    auto* box = new QMessageBox(icon, "Gribo", text, QMessageBox::Ok);
    box->setObjectName(name);
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    for (QAbstractButton* button : box->buttons()) ignoreHeldKeys(button);
    return box;
}

}  // namespace

void showStoreFailure(const QString& file, const QString& reason) {
    if (failureBox) failureBox->close();
    failureBox =
        notice(QMessageBox::Warning, "storeFailure", QString::fromUtf8("Gribo ne peut pas être enregistré."),
               QString::fromUtf8("Le fichier %1 ne peut pas être écrit : %2.\n\n"
                                 "Gribo continue de vivre et le jeu réessaie d'enregistrer à chaque changement, "
                                 "toutes les %3 secondes et à la fermeture. "
                                 "Si le jeu est fermé avant, ce qui est arrivé "
                                 "depuis sera perdu.")
                   .arg(file, reason, QString::number(kLifeClockMs / 1000)));
    failureBox->setWindowModality(Qt::NonModal);  // the timers and the menus go on
    comeUp(failureBox);
}

void showStoreSavedAgain(const QString& file) {
    if (failureBox) failureBox->close();
    auto* box =
        notice(QMessageBox::Information, "storeSavedAgain", QString::fromUtf8("Gribo est de nouveau enregistré."),
               QString::fromUtf8("Tout ce qui lui est arrivé est maintenant dans le fichier %1.").arg(file));
    box->setWindowModality(Qt::NonModal);
    comeUp(box);
}

void showStoreUnreadable(const QString& file, const QString& reason) {
    QMessageBox box(QMessageBox::Critical, "Gribo", QString::fromUtf8("Gribo ne peut pas être lu."), QMessageBox::Ok);
    box.setObjectName("storeUnreadable");
    box.setInformativeText(
        QString::fromUtf8("Le fichier %1 existe mais ne peut pas être lu : %2.\n\n"
                          "Le jeu ne démarre pas, pour ne rien écrire à la place de Gribo. Rendez ce fichier lisible "
                          "(s'il appartient à un autre utilisateur, entre autres), "
                          "puis relancez le jeu.")
            .arg(file, reason));
    box.exec();
}

}  // namespace gribo::windows
