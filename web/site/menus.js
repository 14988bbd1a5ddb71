// The menu bar: the window's menus as a WAI-ARIA menubar, worked by mouse
// or by keyboard alone (F10 or Alt+letter, arrows, Enter, Esc).
//
// A menu is {id, caption, items, onOpen}; an item is {id, caption, kind,
// shortcut, enabled, checked, items, run}, kind one of "command", "check",
// "radio", "separator", "disabled" or "submenu". Captions carry "&X"
// accelerators as the window's do: X is underlined and chooses the item.

import { afterNextFrame, giveFocusBack } from "./focus.js";

/// The accelerator letter of a caption, lower case, or "".
export function acceleratorOf(caption) {
  const m = /&([^&])/.exec(caption.replace(/&&/g, ""));
  return m ? m[1].toLowerCase() : "";
}

/// Writes a caption into an element, its accelerator underlined.
export function renderCaption(element, caption) {
  element.replaceChildren();
  let text = "";
  for (let i = 0; i < caption.length; ++i) {
    const c = caption[i];
    if (c === "&" && i + 1 < caption.length) {
      const next = caption[++i];
      if (next === "&") {
        text += "&";
        continue;
      }
      if (text) element.append(text);
      text = "";
      const u = document.createElement("u");
      u.textContent = next;
      element.append(u);
    } else {
      text += c;
    }
  }
  if (text) element.append(text);
}

const isUsable = (li) => li.getAttribute("aria-disabled") !== "true";

/// A menu near the right edge of a narrow screen moves left to stay whole.
function keepOnScreen(list) {
  list.style.transform = "";
  const overflow = list.getBoundingClientRect().right - document.documentElement.clientWidth;
  if (overflow > 0) list.style.transform = `translateX(${-Math.ceil(overflow)}px)`;
}

export class MenuBar {
  /// giveFocusBack(target) returns the focus after an item has run; by
  /// default target.focus().
  constructor(element, { giveFocusBack = (target) => target.focus() } = {}) {
    this.element = element;
    this.giveFocusBack = giveFocusBack;
    this.element.setAttribute("role", "menubar");
    this.menus = [];
    this.tops = [];
    this.openIndex = -1;
    this.returnFocus = null;
    this.disabled = false;
    this.byId = new Map();
    element.addEventListener("keydown", (e) => this.onKey(e));
    document.addEventListener("pointerdown", (e) => {
      if (this.openIndex >= 0 && !this.element.contains(e.target)) this.closeAll(false);
    });
  }

  /// Builds the bar anew from the menus' model.
  setMenus(menus) {
    const focusedTop = this.tops.findIndex((t) => t.button === document.activeElement);
    this.closeAll(false);
    this.menus = menus;
    this.byId.clear();
    this.element.replaceChildren();
    this.tops = menus.map((menu, index) => this.buildTop(menu, index));
    this.setRoving(Math.max(0, focusedTop));
    if (focusedTop >= 0) this.tops[focusedTop].button.focus();
  }

  buildTop(menu, index) {
    const wrap = document.createElement("div");
    wrap.className = "menu-top";
    const button = document.createElement("button");
    button.type = "button";
    button.id = "menu-" + menu.id;
    button.dataset.id = menu.id;
    button.setAttribute("role", "menuitem");
    button.setAttribute("aria-haspopup", "menu");
    button.setAttribute("aria-expanded", "false");
    renderCaption(button, menu.caption);
    const list = this.buildList(menu.items, button.id);
    // The focus moves to the button on a press; remember where it was.
    button.addEventListener("pointerdown", () => this.rememberFocus());
    button.addEventListener("click", () => {
      if (this.disabled) return;
      if (this.openIndex === index) this.closeAll(true);
      else this.open(index, false);
    });
    button.addEventListener("pointerenter", () => {
      if (this.openIndex >= 0 && this.openIndex !== index && !this.disabled) this.open(index, false);
    });
    wrap.append(button, list);
    this.element.append(wrap);
    return { menu, button, list };
  }

  buildList(items, labelledBy) {
    const ul = document.createElement("ul");
    ul.setAttribute("role", "menu");
    ul.setAttribute("aria-labelledby", labelledBy);
    ul.hidden = true;
    for (const item of items) ul.append(this.buildItem(item));
    return ul;
  }

  buildItem(item) {
    const li = document.createElement("li");
    if (item.kind === "separator") {
      li.setAttribute("role", "separator");
      return li;
    }
    li.id = "item-" + item.id;
    li.dataset.id = item.id;
    li.tabIndex = -1;
    const role = { check: "menuitemcheckbox", radio: "menuitemradio" }[item.kind] || "menuitem";
    li.setAttribute("role", role);
    const mark = document.createElement("span");
    mark.className = "mark";
    mark.setAttribute("aria-hidden", "true");
    const caption = document.createElement("span");
    caption.className = "caption";
    renderCaption(caption, item.caption);
    const key = document.createElement("span");
    key.className = "key";
    key.textContent = item.shortcut || (item.kind === "submenu" ? "▸" : "");
    li.append(mark, caption, key);
    this.byId.set(item.id, { item, li });
    if (item.kind === "submenu") {
      li.setAttribute("aria-haspopup", "menu");
      li.setAttribute("aria-expanded", "false");
      const sub = this.buildList(item.items, li.id);
      sub.classList.add("submenu");
      li.append(sub);
      li.addEventListener("pointerenter", () => isUsable(li) && this.openSub(li, false));
      li.addEventListener("pointerleave", () => this.closeSub(li, false));
    }
    li.addEventListener("click", (e) => {
      e.stopPropagation();
      this.activate(li);
    });
    this.apply(item.id);
    return li;
  }

  /// The item's current enabled and checked state onto its element.
  apply(id) {
    const entry = this.byId.get(id);
    if (!entry) return;
    const { item, li } = entry;
    const enabled = item.kind !== "disabled" && item.enabled !== false;
    li.setAttribute("aria-disabled", enabled ? "false" : "true");
    if (item.kind === "check" || item.kind === "radio")
      li.setAttribute("aria-checked", item.checked ? "true" : "false");
    li.querySelector(".mark").textContent =
      item.checked ? (item.kind === "radio" ? "•" : "✓") : "";
  }

  setItem(id, changes) {
    const entry = this.byId.get(id);
    if (!entry) return;
    Object.assign(entry.item, changes);
    this.apply(id);
  }

  item(id) {
    return this.byId.get(id)?.item;
  }

  /// While a command computes the whole bar is out of use.
  setDisabled(disabled) {
    this.disabled = disabled;
    if (disabled) this.closeAll(false);
    for (const { button } of this.tops) button.setAttribute("aria-disabled", String(disabled));
  }

  setRoving(index) {
    this.tops.forEach((t, i) => (t.button.tabIndex = i === index ? 0 : -1));
  }

  /// F10 and the like: the bar takes the focus, no menu open yet.
  focusBar() {
    if (this.disabled || !this.tops.length) return;
    this.rememberFocus();
    this.setRoving(0);
    this.tops[0].button.focus();
  }

  rememberFocus() {
    const active = document.activeElement;
    if (active && !this.element.contains(active)) this.returnFocus = active;
  }

  open(index, focusItem, last = false) {
    if (this.disabled) return;
    this.rememberFocus();
    if (this.openIndex >= 0 && this.openIndex !== index) this.hide(this.openIndex);
    const top = this.tops[index];
    top.menu.onOpen?.();
    for (const li of top.list.querySelectorAll("li[data-id]")) this.apply(li.dataset.id);
    top.list.hidden = false;
    keepOnScreen(top.list);
    top.button.setAttribute("aria-expanded", "true");
    this.openIndex = index;
    this.setRoving(index);
    if (focusItem) this.focusItem(top.list, last ? -1 : 0);
    else top.button.focus();
  }

  hide(index) {
    const top = this.tops[index];
    for (const li of top.list.querySelectorAll("li[aria-expanded='true']")) this.closeSub(li, false);
    top.list.hidden = true;
    top.button.setAttribute("aria-expanded", "false");
  }

  /// Closes every menu; the focus goes back where it was before the bar
  /// took it, or stays on the bar.
  closeAll(restoreFocus, toBar = false) {
    if (this.openIndex >= 0) {
      const index = this.openIndex;
      this.hide(index);
      this.openIndex = -1;
      if (toBar) this.tops[index].button.focus();
    }
    if (restoreFocus && !toBar) {
      const target = this.returnFocus;
      this.returnFocus = null;
      if (target && document.contains(target)) target.focus();
      else document.activeElement?.blur?.();
    }
  }

  itemsOf(list) {
    return [...list.children].filter((li) => li.dataset.id && isUsable(li));
  }

  focusItem(list, index) {
    const items = this.itemsOf(list);
    if (!items.length) return list.closest("li[data-id]")?.focus() ?? this.tops[this.openIndex].button.focus();
    items[(index + items.length) % items.length].focus();
  }

  openSub(li, focusItem) {
    const sub = li.querySelector(":scope > ul");
    for (const d of sub.querySelectorAll("li[data-id]")) this.apply(d.dataset.id);
    sub.hidden = false;
    keepOnScreen(sub);
    li.setAttribute("aria-expanded", "true");
    if (focusItem) this.focusItem(sub, 0);
  }

  closeSub(li, focusParent) {
    const sub = li.querySelector(":scope > ul");
    sub.hidden = true;
    li.setAttribute("aria-expanded", "false");
    if (focusParent) li.focus();
  }

  activate(li) {
    if (!isUsable(li) || this.disabled) return;
    const { item } = this.byId.get(li.dataset.id);
    if (item.kind === "submenu") return this.openSub(li, true);
    // The focus goes back once the item has done its work and the page has
    // been drawn: a command would only take it away again for its dialogs,
    // and focusing a large edit area costs the browser a pass over all its
    // text, which would hold the command up.
    const back = this.returnFocus;
    this.returnFocus = null;
    this.closeAll(false);
    document.activeElement?.blur?.();
    const restore = () => afterNextFrame(() => giveFocusBack(back, this.giveFocusBack));
    let done;
    try {
      done = item.run?.();
    } finally {
      Promise.resolve(done).finally(restore);
    }
  }

  /// Alt+letter from anywhere on the page: the menu with that accelerator.
  openByAccelerator(letter) {
    const index = this.tops.findIndex((t) => acceleratorOf(t.menu.caption) === letter);
    if (index < 0 || this.disabled) return false;
    this.open(index, true);
    return true;
  }

  onKey(e) {
    if (this.disabled) return;
    const target = e.target;
    const topIndex = this.tops.findIndex((t) => t.button === target);
    const handled = topIndex >= 0 ? this.onTopKey(e, topIndex) : this.onItemKey(e, target);
    if (handled) {
      e.preventDefault();
      e.stopPropagation();
    }
  }

  onTopKey(e, index) {
    const n = this.tops.length;
    const isOpen = this.openIndex === index;
    switch (e.key) {
      case "ArrowRight":
      case "ArrowLeft": {
        const next = (index + (e.key === "ArrowRight" ? 1 : n - 1)) % n;
        if (isOpen) this.open(next, true);
        else {
          this.setRoving(next);
          this.tops[next].button.focus();
        }
        return true;
      }
      case "ArrowDown":
      case "Enter":
      case " ":
        this.open(index, true);
        return true;
      case "ArrowUp":
        this.open(index, true, true);
        return true;
      case "Home":
      case "End": {
        const to = e.key === "Home" ? 0 : n - 1;
        this.setRoving(to);
        this.tops[to].button.focus();
        return true;
      }
      case "Escape":
        this.closeAll(true);
        return true;
      case "Tab":
        this.closeAll(false);
        return false;
      default: {
        if (e.altKey || e.ctrlKey || e.metaKey || e.key.length !== 1) return false;
        const to = this.tops.findIndex((t) => acceleratorOf(t.menu.caption) === e.key.toLowerCase());
        if (to < 0) return false;
        this.open(to, true);
        return true;
      }
    }
  }

  onItemKey(e, li) {
    if (!li.matches?.("li[data-id]")) return false;
    const list = li.parentElement;
    const inSub = list.classList.contains("submenu");
    const items = this.itemsOf(list);
    const at = items.indexOf(li);
    switch (e.key) {
      case "ArrowDown":
        this.focusItem(list, at + 1);
        return true;
      case "ArrowUp":
        this.focusItem(list, at - 1);
        return true;
      case "Home":
        this.focusItem(list, 0);
        return true;
      case "End":
        this.focusItem(list, -1);
        return true;
      case "ArrowRight":
        if (li.getAttribute("aria-haspopup") === "menu" && isUsable(li)) this.openSub(li, true);
        else this.open((this.openIndex + 1) % this.tops.length, true);
        return true;
      case "ArrowLeft":
        if (inSub) this.closeSub(list.parentElement, true);
        else this.open((this.openIndex + this.tops.length - 1) % this.tops.length, true);
        return true;
      case "Enter":
      case " ":
        this.activate(li);
        return true;
      case "Escape":
        if (inSub) this.closeSub(list.parentElement, true);
        else this.closeAll(false, true);
        return true;
      case "Tab":
        this.closeAll(true);
        return true;
      default: {
        if (e.altKey || e.ctrlKey || e.metaKey || e.key.length !== 1) return false;
        const letter = e.key.toLowerCase();
        const match = items.find((d) => acceleratorOf(this.byId.get(d.dataset.id).item.caption) === letter);
        if (match) this.activate(match);
        return Boolean(match);
      }
    }
  }
}
