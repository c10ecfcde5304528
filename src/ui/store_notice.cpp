#include "ui/store_notice.h"

#include <QMessageBox>

#include "ui/secondary_windows.h"

namespace gribo::ui {

void showStoreFailure(const QString& file, const QString& reason) {
    auto* box = new QMessageBox(QMessageBox::Warning, "Gribo",
                                QString::fromUtf8("Gribo ne peut pas \xc3\xaa"
                                                  "tre enregistr\xc3\xa9."),
                                QMessageBox::Ok);
    box->setObjectName("storeFailure");
    box->setInformativeText(QString::fromUtf8("Le fichier %1 ne peut pas \xc3\xaa"
                                              "tre \xc3\xa9"
                                              "crit : %2.\n\n"
                                              "Gribo continue de vivre jusqu'\xc3\xa0 la fermeture du jeu, "
                                              "mais ce qui lui arrive d'ici l\xc3\xa0 ne sera pas gard\xc3\xa9.")
                                .arg(file, reason));
    box->setWindowModality(Qt::NonModal);  // the timers and the menus go on
    box->setAttribute(Qt::WA_DeleteOnClose);
    comeUp(box);
}

}  // namespace gribo::ui
