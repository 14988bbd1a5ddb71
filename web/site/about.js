// 关于 and the closing credits. No web addresses are configured for the
// page, so the About window's links lead to the help book's pages, as the
// window's do when it was built without addresses.

import { openDialog } from "./dialogs.js";

const kLinks = [
  ["aboutLink1", "project.html"],
  ["aboutLink2", "news.html"],
  ["aboutLink3", "install.html"],
  ["aboutLink4", "exercises.html"],
];

function link(t, text, page) {
  const a = document.createElement("a");
  a.href = t.helpDir + page;
  a.target = "_blank";
  a.rel = "noopener";
  a.textContent = text;
  a.title = t.aboutLinkTip;
  return a;
}

export function showAbout(t) {
  return openDialog({
    kind: "about",
    caption: t.aboutCaption,
    build(body) {
      const head = document.createElement("p");
      const title = document.createElement("span");
      title.className = "title";
      title.textContent = "Quorvex";
      head.append(title, t.aboutVersion);
      const notice = document.createElement("p");
      notice.className = "notice";
      notice.textContent = t.aboutNotice;
      const contact = document.createElement("p");
      contact.append(t.aboutAuthors, document.createElement("br"), link(t, t.aboutFeedback, "feedback.html"));
      const links = document.createElement("div");
      links.className = "links";
      for (const [key, page] of kLinks) links.append(link(t, t[key], page));
      body.append(head, notice, contact, links);
    },
    buttons: [{ role: "ok", caption: t.close, isDefault: true }],
    escapeValue: undefined,
  });
}

/// 退出: a browser tab cannot end the program, so the credits show, and a
/// click on them closes the tab where the browser allows it, or else starts
/// the page afresh.
export async function showCredits(t, text) {
  await openDialog({
    kind: "credits",
    caption: "Quorvex",
    build(body, id) {
      body.textContent = text;
      body.tabIndex = 0;
      body.addEventListener("click", () => body.closest("dialog").querySelector("button").click());
      return body;
    },
    buttons: [{ role: "ok", caption: t.close, isDefault: true }],
    escapeValue: undefined,
  });
  window.close();
  location.reload();
}
