'''A StatusNotifierWatcher of the tests' own, as a python3-dbusmock template:
it has a host, registers items and lists them.'''

import dbus

BUS_NAME = 'org.kde.StatusNotifierWatcher'
MAIN_OBJ = '/StatusNotifierWatcher'
MAIN_IFACE = 'org.kde.StatusNotifierWatcher'
SYSTEM_BUS = False


def load(mock, _parameters):
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({
        'IsStatusNotifierHostRegistered': dbus.Boolean(True),
        'ProtocolVersion': dbus.Int32(0),
        'RegisteredStatusNotifierItems': dbus.Array([], signature='s'),
    }, signature='sv'))
    mock.AddMethods(MAIN_IFACE, [
        ('RegisterStatusNotifierItem', 's', '',
         'items = list(self.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")); '
         'items.append(args[0]); '
         'self.Set("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems", dbus.Array(items, signature="s")); '
         'self.EmitSignal("org.kde.StatusNotifierWatcher", "StatusNotifierItemRegistered", "s", [args[0]])'),
        ('RegisterStatusNotifierHost', 's', '', ''),
    ])
