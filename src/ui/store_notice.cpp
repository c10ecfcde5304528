#include "ui/store_notice.h"

#include <QMessageBox>
#include <QPointer>

#include "ui/secondary_windows.h"

namespace gribo::ui {
namespace {

QPointer<QMessageBox> failureBox;

QMessageBox* notice(QMessageBox::Icon icon, const char* name, const QString& text, const QString& details) {
    auto* box = new QMessageBox(icon, "Gribo", text, QMessageBox::Ok);
    box->setObjectName(name);
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

}  // namespace

void showStoreFailure(const QString& file, const QString& reason) {
    if (failureBox) failureBox->close();
    failureBox = notice(QMessageBox::Warning, "storeFailure",
                        QString::fromUtf8("Gribo ne peut pas \xc3\xaatre enregistr\xc3\xa9."),
                        QString::fromUtf8("Le fichier %1 ne peut pas \xc3\xaatre \xc3\xa9"
                                          "crit : %2.\n\n"
                                          "Gribo continue de vivre et le jeu r\xc3\xa9"
                                          "essaie d'enregistrer \xc3\xa0 chaque changement, "
                                          "toutes les vingt secondes et \xc3\xa0 la fermeture. "
                                          "Si le jeu est ferm\xc3\xa9 avant, ce qui est arriv\xc3\xa9 "
                                          "depuis ne sera pas gard\xc3\xa9.")
                            .arg(file, reason));
    failureBox->setWindowModality(Qt::NonModal);  // the timers and the menus go on
    comeUp(failureBox);
}

void showStoreSavedAgain(const QString& file) {
    if (failureBox) failureBox->close();
    auto* box = notice(
        QMessageBox::Information, "storeSavedAgain", QString::fromUtf8("Gribo est de nouveau enregistr\xc3\xa9."),
        QString::fromUtf8("Tout ce qui lui est arriv\xc3\xa9 est maintenant dans le fichier %1.").arg(file));
    box->setWindowModality(Qt::NonModal);
    comeUp(box);
}

void showStoreUnreadable(const QString& file, const QString& reason) {
    QMessageBox box(QMessageBox::Critical, "Gribo", QString::fromUtf8("Gribo ne peut pas \xc3\xaatre lu."),
                    QMessageBox::Ok);
    box.setObjectName("storeUnreadable");
    box.setInformativeText(QString::fromUtf8("Le fichier %1 existe mais ne peut pas \xc3\xaatre lu : %2.\n\n"
                                             "Le jeu ne d\xc3\xa9marre pas, pour ne rien \xc3\xa9"
                                             "crire \xc3\xa0 la place de Gribo. Rendez ce fichier lisible "
                                             "(par exemple s'il appartient \xc3\xa0 un autre utilisateur), "
                                             "puis relancez le jeu.")
                               .arg(file, reason));
    box.exec();
}

}  // namespace gribo::ui
