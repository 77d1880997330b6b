// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DesktopScale.h"

#include <QtEndian>

#include <algorithm>

#if TELVIR_HAVE_XCB
#include "ui/X11.h"
#endif

namespace {

// Reads the settings in the byte order they were written in; once it has
// run past the end of the data, it reads zeros and is no longer ok().
class SettingsReader {
public:
    explicit SettingsReader(const QByteArray &data) : m_data(data), m_bigEndian(!data.isEmpty() && data[0] == 1) {}

    bool ok() const { return m_at <= m_data.size(); }
    void Skip(qsizetype count) { m_at += count; }
    // Skips text and the padding that rounds it up to four bytes.
    QByteArray Text(qsizetype length)
    {
        const QByteArray text = m_data.mid(m_at, length);
        Skip((length + 3) / 4 * 4);
        return text;
    }
    quint32 Card(int bytes)
    {
        const qsizetype at = m_at;
        Skip(bytes);
        if (!ok())
            return 0;
        const auto *data = reinterpret_cast<const uchar *>(m_data.constData() + at);
        switch (bytes) {
        case 1:
            return *data;
        case 2:
            return m_bigEndian ? qFromBigEndian<quint16>(data) : qFromLittleEndian<quint16>(data);
        default:
            return m_bigEndian ? qFromBigEndian<quint32>(data) : qFromLittleEndian<quint32>(data);
        }
    }

private:
    const QByteArray &m_data;
    const bool m_bigEndian;
    qsizetype m_at = 0;
};

enum SettingType : quint32 { Integer = 0, String = 1, Colour = 2 };

} // namespace

std::optional<int> XSettingsInteger(const QByteArray &settings, const QByteArray &name)
{
    SettingsReader reader(settings);
    reader.Skip(8); // the byte order and the serial
    for (quint32 count = reader.Card(4); count > 0 && reader.ok(); --count) {
        const quint32 type = reader.Card(1);
        reader.Skip(1);
        const QByteArray settingName = reader.Text(reader.Card(2));
        reader.Skip(4); // the serial of its last change
        switch (type) {
        case Integer: {
            const auto value = static_cast<qint32>(reader.Card(4));
            if (reader.ok() && settingName == name)
                return value;
            break;
        }
        case String:
            reader.Text(reader.Card(4));
            break;
        case Colour:
            reader.Skip(8);
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

PublishedScale X11DesktopScale(const QString &display)
{
    PublishedScale published;
#if TELVIR_HAVE_XCB
    int screenNumber = 0;
    const QByteArray name = display.toLocal8Bit();
    xcb_connection_t *connection = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &screenNumber);
    if (!xcb_connection_has_error(connection)) {
        auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int number = 0; screen.rem > 0; xcb_screen_next(&screen), ++number) {
            if (number == screenNumber)
                published.screen = QSize(screen.data->width_in_pixels, screen.data->height_in_pixels);
        }
        const QByteArray selection = "_XSETTINGS_S" + QByteArray::number(screenNumber);
        const xcb_atom_t settings = X11Atom(connection, "_XSETTINGS_SETTINGS");
        const auto cookie = xcb_get_selection_owner(connection, X11Atom(connection, selection.constData()));
        const XcbReply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(connection, cookie, nullptr), &std::free);
        if (owner && owner->owner != XCB_WINDOW_NONE)
            published.scale =
                XSettingsInteger(TextProperty(connection, owner->owner, settings, settings), "Gdk/WindowScalingFactor")
                    .value_or(1);
    }
    xcb_disconnect(connection);
#else
    Q_UNUSED(display);
#endif
    published.scale = std::max(published.scale, 1);
    return published;
}
