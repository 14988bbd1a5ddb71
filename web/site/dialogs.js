// In-page modal dialogs standing in for the window's input boxes and
// message boxes. Each is a <dialog> shown modally: the rest of the page is
// inert, Tab cycles inside it, Enter answers OK (or the default button) and
// Esc answers Cancel (No for a question, OK for a message).

import { giveFocusBack } from "./focus.js";

let counter = 0;
let texts = null;

/// The button captions follow the page's language.
export function useDialogTexts(catalogueEntry) {
  texts = catalogueEntry;
}

const focusable = (root) =>
  [...root.querySelectorAll("button, input, select, textarea, a[href], [tabindex]")].filter(
    (el) => !el.disabled && el.tabIndex >= 0 && el.getClientRects().length > 0,
  );

/// Opens a modal dialog. `build(body)` fills its body; `buttons` lists
/// {role, caption, value, isDefault}; Esc resolves to `escapeValue`.
/// `collect(role)` may turn the pressed button's value into the result.
export function openDialog({ kind, caption, build, buttons, escapeValue, collect }) {
  return new Promise((resolve) => {
    const id = "dlg" + ++counter;
    const dialog = document.createElement("dialog");
    dialog.className = "qv-dialog";
    dialog.dataset.kind = kind;
    dialog.setAttribute("aria-labelledby", id + "-caption");
    const title = document.createElement("div");
    title.className = "caption";
    title.id = id + "-caption";
    title.textContent = caption;
    const form = document.createElement("form");
    form.method = "dialog";
    const body = document.createElement("div");
    body.className = "body";
    const row = document.createElement("div");
    row.className = "buttons";
    let defaultButton = null;
    for (const b of buttons) {
      const button = document.createElement("button");
      button.type = b.isDefault ? "submit" : "button";
      button.dataset.role = b.role;
      button.textContent = b.caption;
      button.addEventListener("click", (e) => {
        e.preventDefault();
        finish(collect ? collect(b.role, b.value) : b.value);
      });
      if (b.isDefault) defaultButton = button;
      row.append(button);
    }
    form.append(body, row);
    dialog.append(title, form);
    const initialFocus = build?.(body, id);
    if (body.querySelector("[data-describes]"))
      dialog.setAttribute("aria-describedby", body.querySelector("[data-describes]").id);

    // The focus goes back where it was once whatever the answer starts
    // has begun: focusing a large edit area costs the browser a pass over
    // all its text, which would otherwise delay handing a command to the
    // core. So the dialog opens from an unfocused page, and closing it
    // moves the focus nowhere.
    const previous = document.activeElement;
    previous?.blur();
    let done = false;
    const finish = (value) => {
      if (done) return;
      done = true;
      dialog.close();
      dialog.remove();
      resolve(value);
      setTimeout(() => giveFocusBack(previous));
    };
    // Enter in a field submits the form: that is the default button.
    form.addEventListener("submit", (e) => {
      e.preventDefault();
      const role = defaultButton?.dataset.role;
      const b = buttons.find((x) => x.role === role);
      finish(collect ? collect(role, b?.value) : b?.value);
    });
    dialog.addEventListener("cancel", (e) => {
      e.preventDefault();
      finish(collect ? collect("escape", escapeValue) : escapeValue);
    });
    dialog.addEventListener("keydown", (e) => {
      if (e.key === "Escape") {
        e.preventDefault();
        e.stopPropagation();
        finish(collect ? collect("escape", escapeValue) : escapeValue);
      } else if (e.key === "Tab") {
        const list = focusable(dialog);
        if (!list.length) return;
        const at = list.indexOf(document.activeElement);
        const next = e.shiftKey ? (at <= 0 ? list.length - 1 : at - 1) : (at + 1) % list.length;
        e.preventDefault();
        list[next].focus();
      } else if (e.key === "Enter" && e.target.tagName !== "BUTTON" && e.target.tagName !== "TEXTAREA") {
        e.preventDefault();
        form.requestSubmit();
      }
      e.stopPropagation();
    });
    document.body.append(dialog);
    dialog.showModal();
    (initialFocus || defaultButton || focusable(dialog)[0])?.focus();
  });
}

function textBlock(body, id, text) {
  const p = document.createElement("p");
  p.className = "prompt";
  p.id = id + "-prompt";
  p.dataset.describes = "";
  p.textContent = text;
  body.append(p);
  return p;
}

/// The window's input box: the answer, or null for Cancel.
export function inputBox(prompt, caption, defaultAnswer = "") {
  let field;
  return openDialog({
    kind: "input",
    caption,
    build(body, id) {
      textBlock(body, id, prompt);
      field = document.createElement("input");
      field.type = "text";
      field.className = "answer";
      field.value = defaultAnswer;
      field.setAttribute("aria-labelledby", id + "-prompt");
      body.append(field);
      queueMicrotask(() => field.select());
      return field;
    },
    buttons: [
      { role: "ok", caption: texts.ok, isDefault: true },
      { role: "cancel", caption: texts.cancel },
    ],
    escapeValue: null,
    collect: (role) => (role === "ok" ? field.value : null),
  });
}

/// A message with an OK button.
export function messageBox(text, caption) {
  return openDialog({
    kind: "message",
    caption,
    build: (body, id) => void textBlock(body, id, text),
    buttons: [{ role: "ok", caption: texts.ok, value: undefined, isDefault: true }],
    escapeValue: undefined,
  });
}

/// A question with Yes and No, No being the default as in the window.
export function askYesNo(text, caption) {
  return openDialog({
    kind: "yesno",
    caption,
    build: (body, id) => void textBlock(body, id, text),
    buttons: [
      { role: "yes", caption: texts.yes, value: true },
      { role: "no", caption: texts.no, value: false, isDefault: true },
    ],
    escapeValue: false,
  });
}
