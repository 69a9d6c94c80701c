#include "lang/controlproperty.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QVariant>
#include <QWidget>

namespace {

QObject* findControl(QWidget* window, const QString& control) {
    if (!window || control.isEmpty())
        return nullptr;
    if (window->objectName() == control)
        return window;
    return window->findChild<QObject*>(control);
}

// The Qt property that stands for the classic property name on this kind of control.
QByteArray qtPropertyName(const QObject* object, const QString& property) {
    if (property.compare(QLatin1String("Caption"), Qt::CaseInsensitive) == 0) {
        if (qobject_cast<const QLabel*>(object) || qobject_cast<const QAbstractButton*>(object) ||
            qobject_cast<const QAction*>(object))
            return "text";
        // QMenu before the window test: a menu is a popup window of its own.
        if (qobject_cast<const QGroupBox*>(object) || qobject_cast<const QMenu*>(object))
            return "title";
        const auto* widget = qobject_cast<const QWidget*>(object);
        if (widget && widget->isWindow())
            return "windowTitle";
        return {};
    }
    if (property.compare(QLatin1String("ToolTipText"), Qt::CaseInsensitive) == 0)
        return "toolTip";
    if (property.isEmpty())
        return {};
    return (property.left(1).toLower() + property.mid(1)).toUtf8();
}

// Only declared properties: setProperty would otherwise add a dynamic one silently.
bool hasProperty(const QObject* object, const QByteArray& name) {
    return !name.isEmpty() && object->metaObject()->indexOfProperty(name.constData()) >= 0;
}

} // namespace

void AsignarPropiedad(QWidget* window, const QString& control, const QString& property,
                      const QString& value) {
    QObject* object = findControl(window, control);
    if (!object)
        return;
    const QByteArray name = qtPropertyName(object, property);
    if (hasProperty(object, name))
        object->setProperty(name.constData(), value);
}

QString LeerPropiedad(QWidget* window, const QString& control, const QString& property) {
    const QObject* object = findControl(window, control);
    if (!object)
        return {};
    const QByteArray name = qtPropertyName(object, property);
    if (!hasProperty(object, name))
        return {};
    return object->property(name.constData()).toString();
}
