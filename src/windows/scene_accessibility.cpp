#include "windows/scene_accessibility.h"

#include <QAccessibleWidget>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <string>

#include "rules/scene_description.h"
#include "windows/held_keys.h"
#include "windows/secondary_windows.h"

namespace gribo::windows {
namespace {

// Where the scene keeps its description (and, before Qt 6.8, its name).
constexpr char kDescription[] = "gribo_description";
constexpr char kName[] = "gribo_name";

// Qt before 6.8 sends a change of name or description to AT-SPI with the object in
// place of the new text, and Orca 43 then speaks nothing. The game sends the change
// itself, with the text, on Qt's own connection to the accessibility bus.
constexpr bool kOwnSignals = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);

[[maybe_unused]] void sayChanged(QWidget& scene, const char* property, const QString& text) {
    if (!QAccessible::isActive()) return;
    QDBusConnection bus(QStringLiteral("a11y"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&scene);
    if (!bus.isConnected() || !iface) return;
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(iface));
    QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"),
                                                     QStringLiteral("PropertyChange"));
    signal << QString::fromLatin1(property) << 0 << 0 << QVariant::fromValue(QDBusVariant(text))
           << QVariant::fromValue(QVariantMap());
    bus.send(signal);
}

// The scene: one picture. Its slots are how it is drawn, not parts of its own.
class ScenePicture : public QAccessibleWidget {
public:
    explicit ScenePicture(QWidget* scene) : QAccessibleWidget(scene, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override {
        if (kOwnSignals && t == QAccessible::Name) return widget()->property(kName).toString();
        if (t == QAccessible::Description) return sceneDescription(*widget());
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

// The vet's answer, in its captioned frame. Qt makes the frame's caption the label of
// every widget inside it, and a screen reader then takes the answer for a label and
// leaves it out when the window opens: the answer is text of its own, labelled by
// nothing.
class AnswerText : public QAccessibleWidget {
public:
    explicit AnswerText(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override {
        return {};
    }
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
    if (is<TextLabel>(className) && qobject_cast<QGroupBox*>(widget->parentWidget())) return new AnswerText(widget);
    return nullptr;
}

QString toQ(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void installAccessibleRoles() {
    static const bool installed = (QAccessible::installFactory(roles), true);
    (void)installed;
}

QString sceneDescription(const QWidget& scene) { return scene.property(kDescription).toString(); }

QString sceneName(const QWidget& scene) {
    return kOwnSignals ? scene.property(kName).toString() : scene.accessibleName();
}

SceneNarrator::SceneNarrator(QWidget& scene, const SlotPictures& pictures, const CountedWindows& windows)
    : scene_(scene), pictures_(pictures), windows_(windows) {
    installAccessibleRoles();
    scene_.installEventFilter(this);
}

void SceneNarrator::follow(const PetState& pet) {
    const NarrationStep step =
        followScene(narration_, {pet.stade, pictures_.shown(Slot::Image4), pictures_.shown(Slot::Image3),
                                 windows_.timesShown(Window::DeathNotice)});
    narration_ = step.now;
    if (!step.remade) return;

    const SceneText text = describeScene(narration_.facts());
    // The description first, silently, so that a reader who fetches it on hearing the
    // new name gets the new one.
    scene_.setProperty(kDescription, toQ(text.description));
    const QString name = toQ(text.name);
    if (!kOwnSignals) {
        if (scene_.accessibleName() != name) scene_.setAccessibleName(name);
    } else if (scene_.property(kName).toString() != name) {
        scene_.setProperty(kName, name);
        sayChanged(scene_, "accessible-name", name);
    }
}

void SceneNarrator::tellAgain() {
    const QString report = toQ(sceneReport(describeScene(narration_.facts())));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&scene_, report);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
#else
    // Qt 6.4 has no announcement: a change of description carrying the whole scene,
    // which a screen reader speaks for the object in focus.
    sayChanged(scene_, "accessible-description", report);
#endif
}

bool SceneNarrator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &scene_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ask = key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (ask && plain && !(inMenus_ && inMenus_())) {
            if (!isRepeat(*key)) tellAgain();  // a held key tells once
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace gribo::windows
