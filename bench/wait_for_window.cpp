// Waits until a top-level window with the given title is viewable, and answers its id. It
// listens to the X server's events instead of polling, so that the waiting takes no time from the
// program being measured. Usage: wait_for_window TITLE [SECONDS]   (default 60; exit 1 then)
#include <poll.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

template <class T>
using TReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const TReply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name),
                            nullptr),
      &std::free);
  return reply != nullptr ? reply->atom : XCB_ATOM_NONE;
}

class TWatcher {
 public:
  TWatcher(xcb_connection_t* connection, std::string title)
      : Connection_(connection),
        Title_(std::move(title)),
        NetName_(Atom(connection, "_NET_WM_NAME")),
        Utf8_(Atom(connection, "UTF8_STRING")) {}

  // Hears the window's title changes from now on; true when it already is the one awaited.
  bool Watch(xcb_window_t window) {
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(Connection_, window, XCB_CW_EVENT_MASK, &mask);
    return Matches(window);
  }

  bool Matches(xcb_window_t window) {
    const TReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(Connection_, xcb_get_window_attributes(Connection_, window),
                                        nullptr),
        &std::free);
    if (attributes == nullptr || attributes->map_state != XCB_MAP_STATE_VIEWABLE) return false;
    return Name(window, NetName_, Utf8_) == Title_ ||
           Name(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == Title_;
  }

 private:
  std::string Name(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    const TReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(Connection_,
                               xcb_get_property(Connection_, 0, window, property, type, 0, 1024),
                               nullptr),
        &std::free);
    if (reply == nullptr) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
  }

  xcb_connection_t* Connection_;
  std::string Title_;
  xcb_atom_t NetName_;
  xcb_atom_t Utf8_;
};

// The window the event concerns when it may have made the awaited one appear.
xcb_window_t WindowOf(const xcb_generic_event_t& event) {
  switch (event.response_type & ~0x80) {
    case XCB_CREATE_NOTIFY:
      return reinterpret_cast<const xcb_create_notify_event_t&>(event).window;
    case XCB_MAP_NOTIFY:
      return reinterpret_cast<const xcb_map_notify_event_t&>(event).window;
    case XCB_PROPERTY_NOTIFY:
      return reinterpret_cast<const xcb_property_notify_event_t&>(event).window;
    default:
      return XCB_WINDOW_NONE;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wait_for_window TITLE [SECONDS]\n");
    return 2;
  }
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(argc > 2 ? std::atoi(argv[2]) : 60);
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection) != 0) {
    std::fprintf(stderr, "wait_for_window: no X display\n");
    return 2;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;
  TWatcher watcher(connection, argv[1]);

  // Listening first, then looking at the windows already there, so that none slips through.
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_window_t found = XCB_WINDOW_NONE;
  const TReply<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr), &std::free);
  if (tree != nullptr) {
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
      if (watcher.Watch(children[i]) && found == XCB_WINDOW_NONE) found = children[i];
    }
  }
  pollfd x{.fd = xcb_get_file_descriptor(connection), .events = POLLIN, .revents = 0};
  while (found == XCB_WINDOW_NONE) {
    xcb_generic_event_t* event = xcb_poll_for_event(connection);
    if (event == nullptr) {
      if (xcb_connection_has_error(connection) != 0) return 1;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || ::poll(&x, 1, static_cast<int>(left.count())) == 0) return 1;
      continue;
    }
    const bool created = (event->response_type & ~0x80) == XCB_CREATE_NOTIFY;
    const xcb_window_t window = WindowOf(*event);
    std::free(event);
    if (window == XCB_WINDOW_NONE) continue;
    if (created ? watcher.Watch(window) : watcher.Matches(window)) found = window;
  }
  std::printf("%u\n", found);
  xcb_disconnect(connection);
  return 0;
}
