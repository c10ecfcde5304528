#include "ui/scene_accessibility.h"

#include <QAccessibleWidget>

#include "assets/catalogue.h"
#include "rules/scene_description.h"
#include "ui/secondary_windows.h"

namespace gribo::ui {
namespace {

// The scene: one picture. Its slots are how it is drawn, not parts of its own.
class ScenePicture : public QAccessibleWidget {
public:
    explicit ScenePicture(QWidget* scene) : QAccessibleWidget(scene, QAccessible::Graphic) {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

template <typename T>
bool is(const QString& className) {
    return className == QLatin1String(T::staticMetaObject.className());
}

QAccessibleInterface* roles(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (is<Scene>(className)) return new ScenePicture(widget);
    if (is<Form2>(className) || is<Form4>(className)) return new QAccessibleWidget(widget, QAccessible::Dialog);
    if (is<Form3>(className)) return new QAccessibleWidget(widget, QAccessible::AlertMessage);
    return nullptr;
}

QString toQ(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void installAccessibleRoles() {
    static const bool installed = (QAccessible::installFactory(roles), true);
    (void)installed;
}

SceneNarrator::SceneNarrator(QWidget& scene, const SlotPictures& pictures) : scene_(scene), pictures_(pictures) {
    installAccessibleRoles();
}

void SceneNarrator::follow(const PetState& pet) {
    const std::string_view sky = pictures_.shown(Slot::Image3);
    const int droppings = asset::droppingPiles(pictures_.shown(Slot::Image4));
    if (said_ && pet.stade == stade_ && droppings == droppings_ && sky == sky_) return;
    said_ = true;
    stade_ = pet.stade;
    droppings_ = droppings;
    sky_.assign(sky);

    const SceneText text = describeScene(stade_, droppings_, sky_);
    const QString name = toQ(text.name);
    const QString description = toQ(text.description);
    if (scene_.accessibleName() != name) scene_.setAccessibleName(name);
    if (scene_.accessibleDescription() != description) scene_.setAccessibleDescription(description);
}

}  // namespace gribo::ui
