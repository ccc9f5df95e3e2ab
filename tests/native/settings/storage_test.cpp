#include "settings/storage.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

std::unique_ptr<TConfigStorage> Named(const std::string& name) {
  auto config = std::make_unique<TConfigStorage>();
  config->ConfigName = name;
  return config;
}

std::string Names(const TStorage& folder) {
  std::string names;
  for (int i = 0; i < folder.ChildCount(); ++i) names += As<TConfigStorage>(folder.Child(i)).ConfigName;
  return names;
}

TEST(Storage, MoveChildKeepsTheOthersInOrder) {
  TStorage folder;
  for (const char* name : {"A", "B", "C"}) folder.AddChild(Named(name));
  folder.MoveChild(0, 2);
  EXPECT_EQ(Names(folder), "BCA");
  folder.MoveChild(2, 0);
  EXPECT_EQ(Names(folder), "ABC");
  folder.MoveChild(2, 0);
  EXPECT_EQ(Names(folder), "CAB");
  EXPECT_THROW(folder.MoveChild(0, 3), std::out_of_range);
}

TEST(Storage, ChildrenKnowTheirParentAndExtractKeepsIt) {
  TStorage root;
  auto* a = root.Child(root.AddChild(Named("A"))).Parent();
  EXPECT_EQ(a, &root);
  auto* b = &root.Child(root.AddChild(Named("B")));
  EXPECT_EQ(&b->ParentOrSelf(), &root);
  EXPECT_EQ(&root.ParentOrSelf(), &root);
  auto taken = root.ExtractChild(b);
  ASSERT_EQ(taken.get(), b);
  EXPECT_EQ(root.ChildCount(), 1);
  EXPECT_EQ(taken->Parent(), &root);  // left as it was until the next AddChild
  TStorage other;
  other.AddChild(std::move(taken));
  EXPECT_EQ(b->Parent(), &other);
}

TEST(Storage, DeletingAFolderDestroysItsSubtree) {
  static int alive = 0;
  struct Counted : TConfigStorage {
    Counted() { ++alive; }
    ~Counted() override { --alive; }
  };
  TStorage root;
  auto folder = std::make_unique<Counted>();
  auto inner = std::make_unique<Counted>();
  inner->AddChild(std::make_unique<Counted>());
  folder->AddChild(std::move(inner));
  folder->AddChild(std::make_unique<Counted>());
  root.AddChild(std::move(folder));
  root.AddChild(std::make_unique<Counted>());
  EXPECT_EQ(alive, 5);
  root.DeleteChild(0);
  EXPECT_EQ(alive, 1);
  root.RemoveChild(&root.Child(0));
  EXPECT_EQ(alive, 0);
}

TEST(Storage, AccessorsCheckTheClass) {
  TStorage root;
  root.AddChild(std::make_unique<TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root.AddChild(std::make_unique<TStorage>());
  EXPECT_TRUE(HasRootLayout(root));
  TemplatesFolder(root).AddChild(std::make_unique<TCommentStorage>());
  TemplatesFolder(root).AddChild(std::make_unique<TPluginStorage>());
  EXPECT_NO_THROW(Template(root, 0));
  EXPECT_THROW(Template(root, 1), InvalidCast);
  EXPECT_THROW(Config(root, 0), std::out_of_range);
  root.MoveChild(0, 1);
  EXPECT_THROW(General(root), InvalidCast);
  EXPECT_FALSE(HasRootLayout(root));
}

TEST(Storage, WalkVisitsEachRecordBeforeItsChildren) {
  TStorage configs;
  configs.AddChild(Named("A"));
  auto folder = Named("F");
  folder->IsSubMenu = true;
  folder->AddChild(Named("B"));
  folder->AddChild(Named("C"));
  configs.AddChild(std::move(folder));
  configs.AddChild(Named("D"));
  std::string order;
  WalkConfigs(configs, [&](const TConfigStorage& c, int depth) { order += c.ConfigName + std::to_string(depth); });
  EXPECT_EQ(order, "A0F0B1C1D0");
}

TEST(Storage, FactoryKnowsExactlyTheFiveClasses) {
  for (const char* name : {"TStorage", "TBrackwaterStorage", "TConfigStorage", "TCommentStorage", "TPluginStorage"})
    EXPECT_EQ(CreateStorage(name)->ClassName(), name);
  EXPECT_EQ(CreateStorage("TComponent"), nullptr);
  EXPECT_EQ(CreateStorage("tstorage"), nullptr);
}

}  // namespace
}  // namespace bw
