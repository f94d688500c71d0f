// Word search over the help pages. The pages' text comes from searchdata.js,
// which the build writes beside this file: a page opened from the file system
// may not read other files, so the text travels as a script.
(function () {
  "use strict";

  function words(text) {
    return text.toLowerCase().split(/[^0-9a-z\u00c0-\u024f\u0370-\u03ff]+/).filter(function (w) {
      return w.length > 0;
    });
  }

  function escapeHtml(s) {
    return s.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
  }

  function isWordChar(c) {
    return /[0-9a-z\u00c0-\u024f\u0370-\u03ff]/.test(c);
  }

  // Hits at the start of a word: "ring" finds "ringframe" but not "clearing".
  function count(haystack, needle) {
    var n = 0;
    for (var i = haystack.indexOf(needle); i >= 0; i = haystack.indexOf(needle, i + needle.length)) {
      if (i === 0 || !isWordChar(haystack.charAt(i - 1))) n++;
    }
    return n;
  }

  function firstHit(haystack, needle) {
    for (var i = haystack.indexOf(needle); i >= 0; i = haystack.indexOf(needle, i + 1)) {
      if (i === 0 || !isWordChar(haystack.charAt(i - 1))) return i;
    }
    return 0;
  }

  // A piece of the text around the first hit, the hits marked.
  function snippet(text, terms) {
    var lower = text.toLowerCase();
    var at = firstHit(lower, terms[0]);
    var start = Math.max(0, at - 80);
    var end = Math.min(text.length, at + 160);
    var piece = (start > 0 ? "\u2026" : "") + text.substring(start, end) + (end < text.length ? "\u2026" : "");
    var out = escapeHtml(piece);
    terms.forEach(function (t) {
      var re = new RegExp("(^|[^0-9a-z\u00c0-\u024f\u0370-\u03ff])(" +
        t.replace(/[.*+?^${}()|[\]\\]/g, "\\$&") + ")", "gi");
      out = out.replace(re, "$1<mark>$2</mark>");
    });
    return out;
  }

  function run(query) {
    var summary = document.getElementById("summary");
    var list = document.getElementById("hits");
    list.innerHTML = "";
    if (typeof ZOD_HELP_PAGES === "undefined") {
      summary.textContent = "The search text of the help pages is missing. Please use the index.";
      return;
    }
    var terms = words(query);
    if (terms.length === 0) {
      summary.textContent = "Type one or more words and press Enter. Pages that contain all of them are listed.";
      return;
    }
    var hits = [];
    ZOD_HELP_PAGES.forEach(function (page) {
      var title = page.title.toLowerCase();
      var text = page.text.toLowerCase();
      var score = 0;
      for (var i = 0; i < terms.length; i++) {
        var n = count(text, terms[i]) + 5 * count(title, terms[i]);
        if (n === 0) return;
        score += n;
      }
      hits.push({ page: page, score: score });
    });
    hits.sort(function (a, b) { return b.score - a.score; });
    summary.textContent = hits.length === 0
      ? "No page contains " + terms.join(" and ") + "."
      : hits.length + (hits.length === 1 ? " page contains " : " pages contain ") + terms.join(" and ") + ":";
    hits.forEach(function (h) {
      var li = document.createElement("li");
      li.innerHTML = '<a href="' + h.page.file + '">' + escapeHtml(h.page.title) + '</a><br><span class="snip">' +
        snippet(h.page.text, terms) + "</span>";
      list.appendChild(li);
    });
  }

  window.addEventListener("load", function () {
    var box = document.getElementById("query");
    var params = new URLSearchParams(window.location.search);
    box.value = params.get("q") || decodeURIComponent(window.location.hash.replace(/^#/, ""));
    document.getElementById("form").addEventListener("submit", function () { run(box.value); });
    run(box.value);  // the query, empty or not, runs at once
    box.focus();
  });
})();
